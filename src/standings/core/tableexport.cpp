#include "standings/core/tableexport.h"

#include "season/core/seasonfolder.h"
#include "shared/core/palette.h"
#include "standings/core/exportfile.h"
#include "standings/core/leaguezones.h"
#include "standings/core/tableprinter.h"

#include <QRegularExpression>
#include <QTextStream>

namespace tableexport {

namespace {

// Colours of the window's table, as the pages write them.
namespace colours {
const QString White = palette::hexName(palette::White);
const QString Green = palette::hexName(palette::table::Green);
const QString Orange = palette::hexName(palette::table::Orange);
const QString Grey = palette::hexName(palette::table::Grey);
const QString Favourite = palette::hexName(palette::table::Favourite);
const QString Sorted = palette::hexName(palette::table::Sorted);
const QString RankLabel = palette::hexName(palette::table::RankLabel);
} // namespace colours

// Texts of the exports, kept together so they read at a glance.
namespace texts {
const QString WholeSeason = QStringLiteral("Classement général");
const QString PageTitle = QStringLiteral("Kestrane 1 : classement 2013 - 2014");
const QString Stamp = QStringLiteral("Mise à jour : ");
const QString Legend = QStringLiteral("Légende");
const QString Favourite = QStringLiteral("Équipe favorite");
const QString SortedColumn = QStringLiteral("Colonne du tri : ");
const QString BelowAverage = QStringLiteral("Moins de matches joués que la moyenne de la ligue");
} // namespace texts

QString csvField(const QString &text)
{
    const bool quoted = text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"'))
                        || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))
                        || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

// A spreadsheet runs a cell whose first character, blanks aside, is one of
// these as a formula; a team name from a file must stay a name. A number
// ("-3", "+2", "-2,5") is left as it is: it is read as the number it is.
QString csvText(const QString &text)
{
    static const QString FormulaStarts = QStringLiteral("=+-@");
    static const QRegularExpression Number(QStringLiteral("^[+-]?\\d+([.,]\\d+)?$"));
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && FormulaStarts.contains(trimmed.front()) && !Number.match(trimmed).hasMatch())
        return QLatin1Char('\'') + text;
    return text;
}

// Text for the page: markup characters escaped (control characters are
// already blanks).
QString escaped(const QString &text)
{
    return plainText(text).toHtmlEscaped();
}

bool negative(const QString &points)
{
    return points.contains(QLatin1Char('-'));
}

// The page's style sheet; its colours are written "{name}" and filled in
// from the palette, the short ones as style sheets spell them ("#FFF").
QString pageStyle()
{
    QString style =
        QStringLiteral("body{font-family:\"DejaVu "
                       "Sans\",Arial,sans-serif;font-size:11pt;color:{text};background:{ground};margin:1.5em}\n"
                       "h1{font-size:15pt;margin:0 0 .3em}\n"
                       "p.maj{margin:0 0 .8em;color:{stamp}}\n"
                       "table{border-collapse:collapse}\n"
                       "caption{font-weight:bold;text-align:left;padding:.3em 0}\n"
                       "th,td{border:1px solid {rule};padding:2px 6px;text-align:center}\n"
                       "th{background:{heading};font-weight:bold}\n"
                       "td.equipe{text-align:left;white-space:nowrap}\n"
                       "td.rang{background:{rank};font-weight:bold}\n"
                       "td.premier{font-weight:bold}\n"
                       "td.negatif{color:{negative}}\n"
                       "ul.legende{list-style:none;padding:0}\n"
                       "ul.legende li{margin:.2em 0}\n"
                       "span.pastille{display:inline-block;width:1.6em;height:1em;border:1px solid {rule};"
                       "vertical-align:middle;margin-right:.5em}\n");
    const std::pair<const char *, QString> colours[] = {
        {"{text}", palette::shortHexName(palette::site::PageText)},
        {"{ground}", palette::shortHexName(palette::White)},
        {"{stamp}", palette::shortHexName(palette::site::PageStamp)},
        {"{rule}", palette::hexName(palette::table::GridLine)},
        {"{heading}", palette::hexName(palette::table::Header)},
        {"{rank}", palette::hexName(palette::table::RankLabel)},
        {"{negative}", palette::hexName(palette::table::NegativePoints)},
    };
    for (const auto &[token, colour] : colours)
        style.replace(QLatin1String(token), colour);
    return style;
}

} // namespace

QString plainText(const QString &text)
{
    QString clean = text;
    for (QChar &c : clean) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029)
            c = QLatin1Char(' ');
        else if (u == 0xFFFE || u == 0xFFFF)
            c = QChar(QChar::ReplacementCharacter);
    }
    return clean;
}

const QList<Column> &columns()
{
    static const QList<Column> list = [] {
        const auto c = [](const char *cell, const char *group, const char *header, const char *csv,
                          const QString &background = QString()) {
            return Column{QString::fromLatin1(cell), QString::fromUtf8(group), QString::fromUtf8(header),
                          QString::fromUtf8(csv), background};
        };
        return QList<Column>{
            c("LabClass", "", "Rang", "Rang", colours::RankLabel),
            c("ImEvol", "", "Évol.", "Évolution"),
            c("Tclass", "", "Equipe", "Equipe"),
            c("TPTS", "", "Points", "Points"),
            c("TDelta", "", "Delta", "Delta"),
            c("TBP", "", "Pour", "Pour", colours::Green),
            c("TBC", "", "Contre", "Contre", colours::Orange),
            c("MJ", "", "Matches Joués", "Matches Joués"),
            c("FP", "", "Fair Play", "Fair Play"),
            c("TBPD", "Buts pour", "Dom", "Buts pour Dom"),
            c("TBPE", "Buts pour", "Ext", "Buts pour Ext"),
            c("TBCD", "Buts contre", "Dom", "Buts contre Dom"),
            c("TBCE", "Buts contre", "Ext", "Buts contre Ext"),
            c("TPD", "Points", "Dom", "Points Dom"),
            c("TPE", "Points", "Ext", "Points Ext"),
            c("TMD", "Gagnés", "Dom", "Gagnés Dom", colours::Green),
            c("TME", "Gagnés", "Ext", "Gagnés Ext", colours::Green),
            c("TMpD", "Perdus", "Dom", "Perdus Dom", colours::Orange),
            c("TMpE", "Perdus", "Ext", "Perdus Ext", colours::Orange),
            c("TMN", "", "Nuls", "Nuls", colours::Grey),
        };
    }();
    return list;
}

QStringList cellTexts(const DisplayedRow &row)
{
    const StandingRow &d = row.data;
    const auto n = [](int value) { return QString::number(value); };
    return {plainText(row.rankLabel),
            plainText(row.movementText),
            plainText(d.name),
            d.pointsText(),
            n(d.goalDifference),
            n(d.goalsFor),
            n(d.goalsAgainst),
            n(d.played),
            n(d.fairPlayPoints),
            n(d.homeGoalsFor),
            n(d.awayGoalsFor),
            n(d.homeGoalsAgainst),
            n(d.awayGoalsAgainst),
            n(d.homePoints),
            n(d.awayPoints),
            n(d.homeWins),
            n(d.awayWins),
            n(d.homeLosses),
            n(d.awayLosses),
            n(d.draws)};
}

bool hasMovements(const DisplayedStandings &shown)
{
    for (const DisplayedRow &row : shown.rows) {
        if (row.movement != Movement::None || !row.movementText.isEmpty())
            return true;
    }
    return false;
}

QString caption(const DisplayedStandings &shown)
{
    return shown.title.isEmpty() ? texts::WholeSeason : plainText(shown.title);
}

QString zoneColour(ZoneMark zone)
{
    const leaguezones::Zone *z = leaguezones::zoneOf(zone);
    return z ? palette::hexName(z->colour) : colours::White;
}

QString nameCellColour(const DisplayedStandings &shown, int row)
{
    const DisplayedRow &r = shown.rows[row];
    if (r.favourite)
        return colours::Favourite;
    if (shown.zonesMarked && r.zone != ZoneMark::None)
        return zoneColour(r.zone);
    return colours::White;
}

QList<LegendEntry> legend(const DisplayedStandings &shown)
{
    QList<LegendEntry> entries;
    if (shown.zonesMarked) {
        for (const leaguezones::Zone &z : leaguezones::Zones)
            entries.append({palette::hexName(z.colour),
                            leaguezones::rankWords(z) + QStringLiteral(" : ") + QString::fromUtf8(z.name)});
    }
    bool favourite = false;
    bool belowAverage = false;
    for (const DisplayedRow &row : shown.rows) {
        favourite = favourite || row.favourite;
        belowAverage = belowAverage || row.belowAverage;
    }
    if (favourite)
        entries.append({colours::Favourite, texts::Favourite});
    if (!shown.highlightedColumns.isEmpty())
        entries.append({colours::Sorted, texts::SortedColumn + plainText(shown.title)});
    if (belowAverage)
        entries.append({colours::Green, texts::BelowAverage});
    return entries;
}

QStringList footerLines(const DisplayedStandings &shown)
{
    QStringList lines;
    for (const QString &line : shown.goalsText.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        lines << plainText(line);
    if (!shown.progressText.isEmpty())
        lines << plainText(shown.progressText);
    if (!shown.aheadBehindText.isEmpty())
        lines << plainText(shown.aheadBehindText.trimmed());
    return lines;
}

QByteArray toCsv(const DisplayedStandings &shown)
{
    const QString Separator = QStringLiteral(";");
    const QString LineEnd = QStringLiteral("\r\n");
    const QList<Column> &cols = columns();
    QStringList header;
    for (const Column &column : cols)
        header << csvField(column.csvHeader);
    QString text = header.join(Separator) + LineEnd;
    for (const DisplayedRow &row : shown.rows) {
        QStringList fields = cellTexts(row);
        for (QString &field : fields)
            field = csvField(csvText(field));
        text += fields.join(Separator) + LineEnd;
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

namespace {

// The movement column only when a row carries a mark.
bool isShown(const Column &column, bool movements)
{
    return movements || column.cell != QLatin1String("ImEvol");
}

// Two heading rows: a column alone spans both, a pair shares its group.
void writeHtmlHeadings(QTextStream &out, const QList<Column> &cols, bool movements)
{
    out << "<thead>\n<tr>";
    for (int i = 0; i < cols.size(); ++i) {
        if (!isShown(cols[i], movements))
            continue;
        if (cols[i].group.isEmpty()) {
            out << "<th rowspan=\"2\" scope=\"col\">" << escaped(cols[i].header) << "</th>";
        } else if (i == 0 || cols[i - 1].group != cols[i].group) {
            int span = 1;
            while (i + span < cols.size() && cols[i + span].group == cols[i].group)
                ++span;
            out << "<th colspan=\"" << span << "\" scope=\"colgroup\">" << escaped(cols[i].group) << "</th>";
        }
    }
    out << "</tr>\n<tr>";
    for (const Column &column : cols) {
        if (isShown(column, movements) && !column.group.isEmpty())
            out << "<th scope=\"col\">" << escaped(column.header) << "</th>";
    }
    out << "</tr>\n</thead>\n";
}

// One cell of the row ranked `r`, with the classes and colour the window
// gives it.
void writeHtmlCell(QTextStream &out, const DisplayedStandings &shown, int r, const Column &column, const QString &text)
{
    const DisplayedRow &row = shown.rows[r];
    QString background = column.background;
    QStringList classes;
    QString title;
    if (column.cell == QLatin1String("LabClass")) {
        classes << QStringLiteral("rang");
        background.clear(); // the style sheet colours the rank column
    } else if (column.cell == QLatin1String("Tclass")) {
        classes << QStringLiteral("equipe");
        if (shown.zonesMarked && r == 0)
            classes << QStringLiteral("premier");
        background = nameCellColour(shown, r);
        if (shown.zonesMarked)
            title = row.zoneToolTip;
    } else if (column.cell == QLatin1String("TPTS") && negative(text)) {
        classes << QStringLiteral("negatif");
    } else if (column.cell == QLatin1String("MJ") && row.belowAverage) {
        background = colours::Green;
    }
    if (shown.highlightedColumns.contains(column.cell))
        background = colours::Sorted;
    out << "<td";
    if (!classes.isEmpty())
        out << " class=\"" << classes.join(QLatin1Char(' ')) << '"';
    if (!background.isEmpty() && background != colours::White)
        out << " style=\"background:" << background << '"';
    if (!title.isEmpty())
        out << " title=\"" << escaped(title) << '"';
    out << '>' << escaped(text) << "</td>";
}

// The colour legend, then the league's footer lines.
void writeHtmlLegendAndFooter(QTextStream &out, const DisplayedStandings &shown)
{
    const QList<LegendEntry> entries = legend(shown);
    if (!entries.isEmpty()) {
        out << "<h2>" << escaped(texts::Legend) << "</h2>\n<ul class=\"legende\">\n";
        for (const LegendEntry &entry : entries) {
            out << "<li><span class=\"pastille\" style=\"background:" << entry.colour << "\"></span>"
                << escaped(entry.text) << "</li>\n";
        }
        out << "</ul>\n";
    }
    for (const QString &line : footerLines(shown))
        out << "<p>" << escaped(line) << "</p>\n";
}

} // namespace

QByteArray toHtml(const DisplayedStandings &shown)
{
    const QList<Column> &cols = columns();
    const bool movements = hasMovements(shown);

    QString h;
    QTextStream out(&h);
    out << "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\"/>\n"
        << "<title>" << escaped(texts::PageTitle + QStringLiteral(" – ") + caption(shown)) << "</title>\n"
        << "<style>\n"
        << pageStyle() << "</style>\n</head>\n<body>\n"
        << "<h1>" << escaped(texts::PageTitle) << "</h1>\n";
    if (!shown.stamp.isEmpty())
        out << "<p class=\"maj\">" << escaped(texts::Stamp + shown.stamp) << "</p>\n";

    out << "<table>\n<caption>" << escaped(caption(shown)) << "</caption>\n";
    writeHtmlHeadings(out, cols, movements);
    out << "<tbody>\n";
    for (int r = 0; r < TeamCount; ++r) {
        const QStringList cells = cellTexts(shown.rows[r]);
        out << "<tr>";
        for (int i = 0; i < cols.size(); ++i) {
            if (isShown(cols[i], movements))
                writeHtmlCell(out, shown, r, cols[i], cells[i]);
        }
        out << "</tr>\n";
    }
    out << "</tbody>\n</table>\n";

    writeHtmlLegendAndFooter(out, shown);
    out << "</body>\n</html>\n";
    out.flush();
    return h.toUtf8();
}

bool writeCsv(const DisplayedStandings &shown, const QString &path, QString &error)
{
    return exportfile::write(path, toCsv(shown), error);
}

bool writeHtml(const DisplayedStandings &shown, const QString &path, QString &error)
{
    return exportfile::write(path, toHtml(shown), error);
}

int exportCommand(const SeasonFolder &folder, const QString &path, const QString &matchDayArgument,
                  const QDateTime &now, const Writer &write, QTextStream &err)
{
    const int upTo = commandline::matchDayArgument(matchDayArgument, err);
    if (upTo < 0)
        return 2;
    if (exportfile::isProgramFile(path, folder.path())) {
        err << exportfile::programFileRefused(path) << '\n';
        return 2;
    }
    QString error;
    if (!write(displayedStandingsOf(folder, upTo, now), path, error)) {
        err << error << '\n';
        return 2;
    }
    return 0;
}

} // namespace tableexport
