#pragma once

#include <QLabel>
#include <QString>

// The information cell `InfoM` at the end of a grid row. Besides its text it
// can carry a note (what the last results update changed in the fixture),
// shown as a small corner mark that leaves the text and its colour as they
// are, and told in full by the tool tip and to screen readers.
class InfoCell : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The row's information text and its note; an empty note takes the mark off.
    void setInfo(const QString &info, const QString &note);
    QString note() const { return m_note; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_note;
};
