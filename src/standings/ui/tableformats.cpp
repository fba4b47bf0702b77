#include "standings/ui/tableformats.h"

#include "standings/ui/tablepdf.h"

namespace tableformats {

const std::vector<TableFormat> &all()
{
    static const std::vector<TableFormat> formats = {
        {"export-csv", "Enregistre le classement pour un tableur (CSV, « ; », virgule décimale).", "ExportCsv",
         "Tableur (CSV)…", "csv", "Tableur CSV (*.csv)", tableexport::writeCsv},
        {"export-html", "Enregistre le classement en page web autonome (HTML).", "ExportHtml", "Page web (HTML)…",
         "html", "Page web (*.html *.htm)", tableexport::writeHtml},
        {"export-pdf", "Enregistre le classement en PDF (une page A4).", "ExportPdf", "Document PDF…", "pdf",
         "Document PDF (*.pdf)", tablepdf::writePdf, true},
    };
    return formats;
}

const TableFormat *ofSuffix(const QString &suffix)
{
    for (const TableFormat &format : all()) {
        if (suffix == QLatin1String(format.suffix))
            return &format;
    }
    return nullptr;
}

} // namespace tableformats
