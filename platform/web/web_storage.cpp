// The player's settings in the page's storage: one text under one key of
// localStorage, which the browser keeps per site. A private window, storage
// the player blocked or a full quota throws in the page; each of those is
// caught there and means only that nothing is remembered.
#include "platform/web/web_backend.h"

#include <emscripten.h>

#include <cstdlib>

// The text under the key, in UTF-8 (allocated; the caller frees it), or
// null when there is none or the storage cannot be read.
EM_JS(char*, web_page_settings_read, (), {
    try {
        var text = window.localStorage.getItem('flickermoth-settings');
        if (text === null) return 0;
        var size = lengthBytesUTF8(text) + 1;
        var out = _malloc(size);
        if (out) stringToUTF8(text, out, size);
        return out;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, web_page_settings_write, (const char* text), {
    try {
        window.localStorage.setItem('flickermoth-settings', UTF8ToString(text));
        return 1;
    } catch (e) {
        return 0;
    }
});

bool web_settings_load(std::string* text)
{
    char* stored = web_page_settings_read();
    if (!stored)
        return false;
    *text = stored;
    std::free(stored);
    return true;
}

bool web_settings_save(const std::string& text) { return web_page_settings_write(text.c_str()) != 0; }
