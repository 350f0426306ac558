#include "core/maintenance/curl_library.h"

#include <dlfcn.h>

#include <string>

namespace {

// The run-time name of the library the program was built against (Debian: libcurl4).
constexpr const char* kCurlSoname = "libcurl.so.4";

template <typename Function> bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

Result<const CurlLibrary*> load()
{
    void* library = dlopen(kCurlSoname, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        return Error{std::string("ダウンロードに使うライブラリ ") + kCurlSoname +
                     " を読み込めませんでした（" + (why ? why : "理由不明") +
                     "）。パッケージ libcurl4 が入っているか確かめてください。"};
    }
    // Never unloaded: libcurl keeps global state for the rest of the process.
    static CurlLibrary curl{};
    CURLcode (*globalInit)(long) = nullptr;
    const bool complete = resolve(library, "curl_global_init", globalInit) &&
                          resolve(library, "curl_easy_init", curl.easyInit) &&
                          resolve(library, "curl_easy_cleanup", curl.easyCleanup) &&
                          resolve(library, "curl_easy_setopt", curl.easySetopt) &&
                          resolve(library, "curl_easy_perform", curl.easyPerform) &&
                          resolve(library, "curl_easy_getinfo", curl.easyGetinfo) &&
                          resolve(library, "curl_easy_strerror", curl.easyStrerror);
    if (!complete)
        return Error{std::string("ダウンロードに使うライブラリ ") + kCurlSoname +
                     " が古すぎます（必要な関数がありません）。"};
    if (globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        return Error{std::string("ダウンロードに使うライブラリ ") + kCurlSoname +
                     " を初期化できませんでした。"};
    return &curl;
}

}  // namespace

Result<const CurlLibrary*> curlLibrary()
{
    // Thread-safe once: the window's update runs on a worker thread.
    static const Result<const CurlLibrary*> loaded = load();
    return loaded;
}
