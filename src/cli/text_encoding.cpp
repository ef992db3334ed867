#include "cli/text_encoding.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace {

#ifdef _WIN32
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
#else
constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";

// One iconv conversion descriptor, closed when it goes.
class Converter {
public:
    Converter(const char* to, const char* from)
        : descriptor_(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (usable()) {
            iconv_close(descriptor_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    // Converts text into out. Stops at the first byte that cannot be converted and
    // returns how many input bytes were used; the whole text when all went well.
    size_t convert(std::string_view text, std::string& out)
    {
        char* input = const_cast<char*>(text.data());
        size_t inputLeft = text.size();
        char buffer[256];
        while (inputLeft > 0) {
            char* output = buffer;
            size_t outputLeft = sizeof buffer;
            const size_t result = iconv(descriptor_, &input, &inputLeft, &output, &outputLeft);
            out.append(buffer, static_cast<size_t>(output - buffer));
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        return text.size() - inputLeft;
    }

private:
    iconv_t descriptor_;
};
#endif

} // namespace

std::string cp932ToUtf8(std::string_view text)
{
    // Most names are ASCII, which reads the same in both; that saves opening a converter.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(text);
    }
#ifdef _WIN32
    return toUtf8(kCodePage932, text);
#else
    Converter converter("UTF-8", "CP932");
    std::string out;
    if (!converter.usable()) {
        return out;
    }
    while (!text.empty()) {
        const size_t used = converter.convert(text, out);
        text.remove_prefix(used);
        if (!text.empty()) {
            out += kReplacementCharacter;
            text.remove_prefix(1);
        }
    }
    return out;
#endif
}

std::optional<std::string> utf8ToCp932(std::string_view text)
{
#ifdef _WIN32
    const auto wide = toWide(CP_UTF8, text, MB_ERR_INVALID_CHARS);
    return wide ? fromWide(kCodePage932, *wide) : std::nullopt;
#else
    Converter converter("CP932", "UTF-8");
    std::string out;
    if (!converter.usable() || converter.convert(text, out) != text.size()) {
        return std::nullopt;
    }
    return out;
#endif
}

bool isValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length;
        unsigned minimum;
        unsigned codePoint;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, minimum = 0x80, codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, minimum = 0x800, codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, minimum = 0x10000, codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (text.size() - i < length) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            const auto continuation = static_cast<unsigned char>(text[i + k]);
            if ((continuation & 0xC0) != 0x80) {
                return false;
            }
            codePoint = (codePoint << 6) | (continuation & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (codePoint < minimum || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string cp932ForConsole(std::string_view text)
{
#ifdef _WIN32
    return std::string(text);
#else
    return cp932ToUtf8(text);
#endif
}

std::string systemTextToUtf8(std::string_view text)
{
#ifdef _WIN32
    return toUtf8(CP_ACP, text);
#else
    return isValidUtf8(text) ? std::string(text) : cp932ToUtf8(text);
#endif
}

std::string systemTextForConsole(std::string_view text)
{
#ifdef _WIN32
    return std::string(text);
#else
    return systemTextToUtf8(text);
#endif
}

std::optional<std::string> systemTextToCp932(std::string_view text)
{
#ifdef _WIN32
    return std::string(text);
#else
    return utf8ToCp932(text);
#endif
}
