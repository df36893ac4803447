#include "ui/toolkit/cp932text.h"

#include "core/text/sjis.h"
#include "core/text/textfile.h"

#include <utility>
#include <vector>

namespace grimtally::ui {

namespace {

QString decode(std::string_view bytes)
{
    const std::string utf8 = cp932ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Encodes character by character so that one character the code page lacks costs only that
// character ('?'), never the whole text.
std::string encodeLeniently(const QString& text)
{
    if (auto whole = toCp932(text))
        return std::move(*whole);
    std::string out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        if (auto one = toCp932(text.mid(i, length)))
            out += *one;
        else
            out += '?';
        i += length;
    }
    return out;
}

// One character of the original bytes: its byte span and what it decodes to.
struct Unit {
    std::string_view bytes;
    QString text;
};

std::vector<Unit> splitUnits(std::string_view bytes)
{
    std::vector<Unit> units;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length =
            isCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        const std::string_view piece = bytes.substr(i, length);
        units.push_back({piece, decode(piece)});
        i += length;
    }
    return units;
}

} // namespace

QString fromCp932(std::string_view bytes)
{
    return decode(bytes);
}

std::optional<std::string> toCp932(const QString& text)
{
    // UTF-16 halves would turn into '?' on the way to UTF-8; the code page has no such
    // characters anyway.
    for (const QChar c : text) {
        if (c.isSurrogate())
            return std::nullopt;
    }
    const QByteArray utf8 = text.toUtf8();
    return utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::filesystem::path toPath(const QString& fileName)
{
    const QByteArray utf8 = fileName.toUtf8();
    return pathFromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString fromPath(const std::filesystem::path& file)
{
    return QString::fromStdString(pathToUtf8(file));
}

QString ByteText::set(std::string_view bytes)
{
    bytes_.assign(bytes);
    text_ = decode(bytes);
    const std::optional<std::string> again = toCp932(text_);
    roundTrips_ = again && *again == bytes_;
    return text_;
}

std::string ByteText::bytesFor(const QString& shown) const
{
    if (shown == text_)
        return bytes_;
    if (roundTrips_)
        return encodeLeniently(shown);

    // The loaded bytes hold characters with a second code or bytes that do not decode. Keep
    // the original bytes of the characters before and after the edited stretch, so an edit
    // elsewhere in the text does not rewrite them.
    const std::vector<Unit> units = splitUnits(bytes_);
    QString joined;
    for (const Unit& unit : units)
        joined += unit.text;
    if (joined != text_)
        return encodeLeniently(shown);

    std::size_t head = 0;
    qsizetype headChars = 0;
    while (head < units.size() && QStringView(shown).mid(headChars).startsWith(units[head].text) &&
           !units[head].text.isEmpty()) {
        headChars += units[head].text.size();
        ++head;
    }
    std::size_t tail = units.size();
    qsizetype tailChars = 0;
    while (tail > head && !units[tail - 1].text.isEmpty() &&
           shown.size() - tailChars - units[tail - 1].text.size() >= headChars &&
           QStringView(shown).first(shown.size() - tailChars).endsWith(units[tail - 1].text)) {
        tailChars += units[tail - 1].text.size();
        --tail;
    }

    std::string out;
    for (std::size_t i = 0; i < head; ++i)
        out += units[i].bytes;
    out += encodeLeniently(shown.mid(headChars, shown.size() - headChars - tailChars));
    for (std::size_t i = tail; i < units.size(); ++i)
        out += units[i].bytes;
    return out;
}

} // namespace grimtally::ui
