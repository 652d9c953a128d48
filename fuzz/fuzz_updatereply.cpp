// The version server's reply and its change log.
#include "update/changelog.h"
#include "update/versioninfo.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto info = mrv::ParseReply(body); info.ok()) {
        (void)mrv::IsNewer(*info, mrv::RunningVersion());
        (void)mrv::NewestVersionText(*info);
        (void)mrv::ParseChangeLog(info->Log);
    }
    (void)mrv::ParseChangeLog(QString::fromUtf8(body));
    return 0;
}
