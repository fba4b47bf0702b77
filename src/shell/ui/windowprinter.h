#pragma once

class QPrinter;
class QWidget;

// Where a printed copy goes: the program asks the user through Qt's print
// dialog (a printer, or "print to PDF"); tests point the printer at a file.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;
    // Prepares the printer; false when the user cancels.
    virtual bool choose(QPrinter &printer, QWidget *parent) = 0;
};

class DialogPrintTarget final : public PrintTarget
{
public:
    bool choose(QPrinter &printer, QWidget *parent) override;
};

// Prints the window's image on one landscape page, scaled to the page with
// its proportions kept. Returns whether a page was produced.
bool printWindowImage(QWidget &window, PrintTarget &target);
