#include "shell/ui/windowprinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

bool DialogPrintTarget::choose(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    return dialog.exec() == QDialog::Accepted;
}

bool printWindowImage(QWidget &window, PrintTarget &target)
{
    // Screen resolution is plenty for a copy of the screen; a high-resolution
    // printer would only make the job heavy.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!target.choose(printer, &window))
        return false;
    // The dialog may have changed the orientation; the copy is always landscape.
    printer.setPageOrientation(QPageLayout::Landscape);

    const QImage image = window.grab().toImage();
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect where(page.x() + (page.width() - size.width()) / 2, page.y() + (page.height() - size.height()) / 2,
                      size.width(), size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(where, image);
    return painter.end();
}
