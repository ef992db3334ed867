#include <windows.h>

#include "platform/text_conversion.h"
#include "platform/text_encoding.h"

namespace {

constexpr UINT kCodePage932 = 932;

// Nothing when the text holds a sequence that the code page rejects (with flags asking
// for that check).
std::optional<std::wstring> toWide(UINT codePage, std::string_view text, DWORD flags)
{
    if (text.empty()) {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// Nothing when a character has no form in the code page.
std::optional<std::string> fromWide(UINT codePage, const std::wstring& wide)
{
    if (wide.empty()) {
        return std::string();
    }
    // UTF-8 takes no default character and no best-fit flag; every other code page is
    // asked to report a character it lacks instead of guessing one.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int wideLength = static_cast<int>(wide.size());
    const int length
        = WideCharToMultiByte(codePage, flags, wide.data(), wideLength, nullptr, 0, nullptr, usedDefaultOut);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
    return text;
}

std::string toUtf8(UINT codePage, std::string_view text)
{
    // Without MB_ERR_INVALID_CHARS a stray byte becomes a default character, so the
    // conversion always succeeds.
    const auto wide = toWide(codePage, text, 0);
    return wide ? fromWide(CP_UTF8, *wide).value_or(std::string()) : std::string();
}

} // namespace

std::string convertedCp932ToUtf8(std::string_view text)
{
    return toUtf8(kCodePage932, text);
}

std::optional<std::string> utf8ToCp932(std::string_view text)
{
    const auto wide = toWide(CP_UTF8, text, MB_ERR_INVALID_CHARS);
    return wide ? fromWide(kCodePage932, *wide) : std::nullopt;
}

std::string cp932ForConsole(std::string_view text)
{
    return std::string(text);
}

std::string systemTextToUtf8(std::string_view text)
{
    return toUtf8(CP_ACP, text);
}

std::string systemTextForConsole(std::string_view text)
{
    return std::string(text);
}

std::optional<std::string> systemTextToCp932(std::string_view text)
{
    return std::string(text);
}
