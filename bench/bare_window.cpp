// The floor for the program's start-up time: a bare main window holding as
// many child widgets as the real one, which quits right after its first paint.
#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

namespace {

class FirstPaintQuitter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    int count = 420;
    if (argc > 1) {
        bool ok = false;
        const int asked = QString::fromLocal8Bit(argv[1]).toInt(&ok);
        if (ok && asked >= 0)
            count = asked;
    }

    QMainWindow window;
    auto *central = new QWidget(&window);
    auto *grid = new QGridLayout(central);
    grid->setSpacing(1);
    const int columns = 20;
    for (int i = 0; i < count; ++i) {
        QWidget *child = (i % 2 == 0) ? static_cast<QWidget *>(new QLabel(QString::number(i), central))
                                      : static_cast<QWidget *>(new QLineEdit(QString::number(i), central));
        grid->addWidget(child, i / columns, i % columns);
    }
    window.setCentralWidget(central);
    window.resize(1120, 640);

    FirstPaintQuitter quitter;
    window.installEventFilter(&quitter);
    window.show();
    return app.exec();
}
