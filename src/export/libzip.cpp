#include "export/libzip.h"

#include "support/tr.h"

#include <QLibrary>

#include <type_traits>

namespace mrv {

namespace {

// The shared library's version (libzip.so.4 since libzip 1.0), not the release's.
constexpr int LibZipSoVersion = 4;

Result<const LibZip *> load()
{
    // Never unloaded: the process may write another archive.
    static QLibrary library;
    static LibZip functions;
    library.setFileNameAndVersion(QStringLiteral("zip"), LibZipSoVersion);
    bool resolved = library.load();
    auto resolve = [&](auto &function, const char *name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
            library.resolve(name));
        resolved = resolved && function;
    };
    resolve(functions.open, "zip_open");
    resolve(functions.discard, "zip_discard");
    resolve(functions.close, "zip_close");
    resolve(functions.sourceBuffer, "zip_source_buffer");
    resolve(functions.sourceFree, "zip_source_free");
    resolve(functions.fileAdd, "zip_file_add");
    resolve(functions.setFileCompression, "zip_set_file_compression");
    resolve(functions.registerCancelCallback, "zip_register_cancel_callback_with_state");
    resolve(functions.strerror, "zip_strerror");
    resolve(functions.errorInitWithCode, "zip_error_init_with_code");
    resolve(functions.errorStrerror, "zip_error_strerror");
    resolve(functions.errorFini, "zip_error_fini");
    if (!resolved)
        return Result<const LibZip *>::Fail(
            Tr::tr("无法加载 libzip：%1").arg(library.errorString()));
    return &functions;
}

} // namespace

Result<const LibZip *> LibZip::Get()
{
    static const Result<const LibZip *> loaded = load();
    return loaded;
}

} // namespace mrv
