#pragma once

#include "shell/ui/windowprinter.h"

#include <QPrinter>
#include <QString>

// Prints to a PDF file instead of asking the user.
class PdfPrintTarget final : public PrintTarget
{
public:
    bool choose(QPrinter &printer, QWidget *) override
    {
        ++asked;
        if (fileName.isEmpty())
            return false; // as if the user cancelled
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fileName);
        return true;
    }

    QString fileName; // empty: the user cancels
    int asked = 0;
};
