#pragma once

#include <QPlainTextEdit>

// The cards report `Text4`: a read-only text box over the table that a
// click puts away.
class CardsReportView : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit CardsReportView(QWidget *parent = nullptr);

    void showReport(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
