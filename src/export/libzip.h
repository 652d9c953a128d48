#pragma once

#include "support/result.h"

#include <zip.h>

namespace mrv {

/// The libzip functions the boot animation's archive needs, from libzip loaded on first use.
/// Linked into the programs, libzip would bring libcrypto and four compression libraries into
/// every start (about 1.8 ms of the command line's 8); only an Android export needs them.
struct LibZip
{
    decltype(&zip_open) open = nullptr;
    decltype(&zip_discard) discard = nullptr;
    decltype(&zip_close) close = nullptr;
    decltype(&zip_source_buffer) sourceBuffer = nullptr;
    decltype(&zip_source_free) sourceFree = nullptr;
    decltype(&zip_file_add) fileAdd = nullptr;
    decltype(&zip_set_file_compression) setFileCompression = nullptr;
    decltype(&zip_register_cancel_callback_with_state) registerCancelCallback = nullptr;
    decltype(&zip_strerror) strerror = nullptr;
    decltype(&zip_error_init_with_code) errorInitWithCode = nullptr;
    decltype(&zip_error_strerror) errorStrerror = nullptr;
    decltype(&zip_error_fini) errorFini = nullptr;

    /// The functions, loading libzip on the first call of the process; or why they cannot be
    /// had. The outcome holds for the rest of the process.
    static Result<const LibZip *> Get();
};

} // namespace mrv
