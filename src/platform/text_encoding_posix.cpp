#include <cerrno>
#include <iconv.h>

#include "platform/text_conversion.h"
#include "platform/text_encoding.h"

namespace {

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

} // namespace

std::string convertedCp932ToUtf8(std::string_view text)
{
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
}

std::optional<std::string> utf8ToCp932(std::string_view text)
{
    Converter converter("CP932", "UTF-8");
    std::string out;
    if (!converter.usable() || converter.convert(text, out) != text.size()) {
        return std::nullopt;
    }
    return out;
}

std::string cp932ForConsole(std::string_view text)
{
    return cp932ToUtf8(text);
}

std::string systemTextToUtf8(std::string_view text)
{
    return isValidUtf8(text) ? std::string(text) : cp932ToUtf8(text);
}

std::string systemTextForConsole(std::string_view text)
{
    return systemTextToUtf8(text);
}

std::optional<std::string> systemTextToCp932(std::string_view text)
{
    return utf8ToCp932(text);
}
