// libcurl, loaded when the first download starts: only 当選データ最新化 and `pomuran-cli update`
// need it, and its chain of about 25 libraries (TLS, Kerberos, LDAP, SSH) would otherwise be
// mapped at every start of the program before its first window.
#pragma once

#include <curl/curl.h>

#include "core/base/result.h"

// The entry points the download uses, resolved from the loaded library.
struct CurlLibrary {
    CURL* (*easyInit)();
    void (*easyCleanup)(CURL*);
    CURLcode (*easySetopt)(CURL*, CURLoption, ...);
    CURLcode (*easyPerform)(CURL*);
    CURLcode (*easyGetinfo)(CURL*, CURLINFO, ...);
    const char* (*easyStrerror)(CURLcode);
};

// Loads libcurl once (and initialises it once) per process; later calls return the same table.
// An error names the library that could not be loaded, in one line for the player.
Result<const CurlLibrary*> curlLibrary();
