// UTF-8 to and from the locale's codeset with iconv, marking what cannot be converted with '?'.
#include "platform/posix/iconv_code_page.h"

#include <cerrno>
#include <iconv.h>
#include <langinfo.h>

#include <utility>

namespace platform {

namespace {

// How many input bytes one '?' stands for, given the input from the offending byte on.
using BadInputLength = std::size_t (*)(std::string_view rest);

// The length of the well-formed UTF-8 character that starts `text`, or 0 when it is malformed
// (overlong forms, surrogates and code points past U+10FFFF included, as iconv rejects them).
std::size_t utf8_length(std::string_view text)
{
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char second_low = 0x80;
    unsigned char second_high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        second_low = lead == 0xE0 ? 0xA0 : 0x80;
        second_high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        second_low = lead == 0xF0 ? 0x90 : 0x80;
        second_high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < second_low || byte(1) > second_high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// A character the codeset lacks is skipped whole; a malformed byte is skipped on its own.
std::size_t bad_utf8_length(std::string_view rest)
{
    const std::size_t length = utf8_length(rest);
    return length == 0 ? 1 : length;
}

std::size_t bad_narrow_length(std::string_view)
{
    return 1;
}

// Marks each '?' it puts in by clearing `exact`.
std::string convert(const std::string& to, const std::string& from, std::string_view input,
                    BadInputLength bad_input_length, bool& exact)
{
    const iconv_t converter = ::iconv_open(to.c_str(), from.c_str());
    // iconv_open reports failure as (iconv_t)-1; there is no other way to test for it.
    if (converter == reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr)
        // An unknown codeset must not lose the user's text: the bytes as they are may still be
        // right (ASCII is in every codeset), while an empty result is surely wrong.
        return std::string(input);
    }
    std::string output;
    char chunk[1024];
    // iconv never writes through its input pointer; the prototype just predates const.
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    while (in_left > 0) {
        char* out = chunk;
        std::size_t out_left = sizeof chunk;
        const std::size_t result = ::iconv(converter, &in, &in_left, &out, &out_left);
        const int error = errno;
        output.append(chunk, static_cast<std::size_t>(out - chunk));
        if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
            continue;
        }
        // EILSEQ and EINVAL alike: the text goes on after a '?' in place of what is wrong.
        output += '?';
        exact = false;
        const std::size_t skip = bad_input_length({in, in_left});
        in += skip;
        in_left -= skip;
    }
    // A codeset with shift states may need a closing sequence.
    char* out = chunk;
    std::size_t out_left = sizeof chunk;
    ::iconv(converter, nullptr, nullptr, &out, &out_left);
    output.append(chunk, static_cast<std::size_t>(out - chunk));
    ::iconv_close(converter);
    return output;
}

// glibc's UTF-8 decoder passes code points past U+10FFFF through (F4 90 80 80, F6 ...), so text
// read in a UTF-8 locale can come out malformed; every byte of such a sequence becomes a '?', as a
// byte the codeset rejects does, and the program's text stays UTF-8 whatever a file holds.
void make_well_formed(Converted& converted)
{
    std::string& text = converted.text;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8_length(std::string_view(text).substr(i));
        if (length == 0) {
            text[i] = '?';
            converted.exact = false;
            ++i;
        } else {
            i += length;
        }
    }
}

// One of Unicode's tag characters, U+E0000 to U+E007F (F3 A0 80 80 to F3 A0 81 BF), at the start.
bool starts_with_tag(std::string_view text)
{
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    return text.size() >= 4 && byte(0) == 0xF3 && byte(1) == 0xA0 &&
           (byte(2) == 0x80 || byte(2) == 0x81) && (byte(3) & 0xC0) == 0x80;
}

} // namespace

IconvCodePage::IconvCodePage(std::string codeset) : codeset_(std::move(codeset))
{
}

IconvCodePage IconvCodePage::of_locale()
{
    return IconvCodePage(::nl_langinfo(CODESET));
}

// glibc drops a tag character without a word when the codeset lacks it, where it reports every
// other missing character; the text around each tag is converted on its own, so that a missing tag
// becomes a '?' like the rest and a path never silently names another file.
Converted IconvCodePage::encode(std::string_view utf8) const
{
    Converted out;
    std::string& output = out.text;
    std::size_t run = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        if (!starts_with_tag(utf8.substr(i))) {
            ++i;
            continue;
        }
        output += convert(codeset_, "UTF-8", utf8.substr(run, i - run), bad_utf8_length, out.exact);
        const std::string tag =
            convert(codeset_, "UTF-8", utf8.substr(i, 4), bad_utf8_length, out.exact);
        output += tag.empty() ? "?" : tag;
        if (tag.empty()) out.exact = false;
        i += 4;
        run = i;
    }
    output += convert(codeset_, "UTF-8", utf8.substr(run), bad_utf8_length, out.exact);
    // glibc takes code points past U+10FFFF as UTF-8, and a UTF-8 codeset passes them on: text
    // that is not well-formed never converts exactly.
    for (std::size_t i = 0; out.exact && i < utf8.size();) {
        const std::size_t length = utf8_length(utf8.substr(i));
        if (length == 0) out.exact = false;
        i += length;
    }
    return out;
}

Converted IconvCodePage::decode(std::string_view narrow) const
{
    Converted out;
    out.text = convert("UTF-8", codeset_, narrow, bad_narrow_length, out.exact);
    make_well_formed(out);
    return out;
}

} // namespace platform
