#include "site/core/siteslug.h"

#include <QSet>

namespace siteslug {

namespace {

// Letters that no Unicode decomposition takes apart.
QString ligature(QChar c)
{
    switch (c.unicode()) {
    case u'œ':
        return QStringLiteral("oe");
    case u'æ':
        return QStringLiteral("ae");
    case u'ß':
        return QStringLiteral("ss");
    case u'ø':
        return QStringLiteral("o");
    case u'ł':
        return QStringLiteral("l");
    case u'đ':
    case u'ð':
        return QStringLiteral("d");
    case u'þ':
        return QStringLiteral("th");
    default:
        return {};
    }
}

} // namespace

QString of(const QString &name)
{
    // Compatibility decomposition splits "é" into "e" and its accent, and
    // "ﬁ" or "²" into plain characters; the accents are then dropped.
    const QString decomposed = name.toLower().normalized(QString::NormalizationForm_KD);
    QString slug;
    bool pendingDash = false;
    const auto append = [&](const QString &part) {
        if (pendingDash && !slug.isEmpty())
            slug += QLatin1Char('-');
        pendingDash = false;
        slug += part;
    };
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            append(QString(c));
        else if (const QString folded = ligature(c); !folded.isEmpty())
            append(folded);
        else
            pendingDash = true;
    }
    return slug.isEmpty() ? QStringLiteral("equipe") : slug;
}

std::array<QString, TeamCount> ofTeams(const Season &season)
{
    std::array<QString, TeamCount> slugs;
    QSet<QString> taken;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        const QString base = of(season.teamName(team));
        QString slug = base;
        // A name that itself ends in "-2" must not take a page already given.
        for (int n = 2; taken.contains(slug); ++n)
            slug = base + QLatin1Char('-') + QString::number(n);
        taken.insert(slug);
        slugs[team] = slug;
    }
    return slugs;
}

} // namespace siteslug
