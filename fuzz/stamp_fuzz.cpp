// The "Maj" stamp of the results store, typed by hand or downloaded: any
// text either reads as a moment of the given year or as nothing, and a
// moment the program writes reads back as itself.
//   input: the text of a stamp
#include "online/core/stamp.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QDateTime> moment = stamp::parse(text, 2014);
    if (moment) {
        if (!moment->isValid() || moment->date().year() != 2014)
            std::abort();
        const std::optional<QDateTime> again = stamp::parse(stamp::format(*moment), 2014);
        if (!again || *again != QDateTime(moment->date(), QTime(moment->time().hour(), moment->time().minute())))
            std::abort();
    }
    return 0;
}
