#include "core/DomainName.h"

#include "core/ByteText.h"

#include <QByteArrayList>
#include <QList>
#include <QStringList>

#include <idn2.h>
#include <unicode/uscript.h>
#include <unicode/uspoof.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace DomainName {

namespace {

constexpr QByteArrayView kALabelPrefix = "xn--";
constexpr int kIdnaFlags = IDN2_NFC_INPUT | IDN2_NONTRANSITIONAL;

struct IdnFree {
    void operator()(char* text) const { idn2_free(text); }
};
using IdnText = std::unique_ptr<char, IdnFree>;

// The library's refusals in the words of someone who typed a name; null for those a typed name
// does not meet.
const char* PlainReason(int code)
{
    switch (code) {
    case IDN2_DISALLOWED:
    case IDN2_INVALID_NONTRANSITIONAL:
    case IDN2_DOT_IN_LABEL:
        return "it holds a character that domain names may not hold, such as an emoji or a "
               "symbol.";
    case IDN2_UNASSIGNED:
        return "it holds a character that Unicode has not assigned yet.";
    case IDN2_TOO_BIG_LABEL:
    case IDN2_PUNYCODE_BIG_OUTPUT:
        return "a label is longer than 63 characters once encoded.";
    case IDN2_TOO_BIG_DOMAIN:
        return "it is longer than 255 characters once encoded.";
    case IDN2_BIDI:
        return "it mixes right-to-left and left-to-right text in a way domain names do not allow.";
    case IDN2_HYPHEN_STARTEND:
        return "a label begins or ends with a hyphen.";
    case IDN2_2HYPHEN:
        return "a label has hyphens in its third and fourth places, which only encoded labels "
               "may have.";
    case IDN2_LEADING_COMBINING:
        return "a label begins with a combining mark.";
    case IDN2_CONTEXTJ:
    case IDN2_CONTEXTJ_NO_RULE:
        return "it holds an invisible joiner where domain names do not allow one.";
    case IDN2_CONTEXTO:
    case IDN2_CONTEXTO_NO_RULE:
        return "it holds a character that domain names allow only beside certain others, such "
               "as a middle dot.";
    case IDN2_PUNYCODE_BAD_INPUT:
    case IDN2_PUNYCODE_OVERFLOW:
    case IDN2_INVALID_ALABEL:
    case IDN2_UALABEL_MISMATCH:
    case IDN2_ALABEL_ROUNDTRIP_FAILED:
        return "a label beginning with \"xn--\" is not a valid encoding.";
    case IDN2_ENCODING_ERROR:
    case IDN2_NFC:
    case IDN2_NOT_NFC:
        return "it is not valid Unicode text.";
    default:
        return nullptr;
    }
}

CNameConversion Refused(int code)
{
    if (const char* reason = PlainReason(code)) {
        return CNameConversion::Refused(QString::fromUtf8(reason));
    }
    return CNameConversion::Refused(
        QStringLiteral("IDNA refuses it: %1.").arg(QString::fromUtf8(idn2_strerror(code))));
}

bool IsALabel(QByteArrayView label)
{
    return ByteText::StartsWithNoCase(label, kALabelPrefix);
}

// `converted` with each ASCII label of `original` that is no A-label put back as it was written,
// so that it keeps its case (a TLD keeps the table's); as it is when their labels differ.
QByteArray KeepPlainLabels(QByteArrayView original, const QByteArray& converted)
{
    const QByteArrayList originalLabels = original.toByteArray().split('.');
    QByteArrayList labels = converted.split('.');
    if (labels.size() != originalLabels.size()) {
        return converted;
    }
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QByteArray& label = originalLabels[i];
        if (IsAscii(label) && !IsALabel(label) && ByteText::EqualsNoCase(label, labels[i])) {
            labels[i] = label;
        }
    }
    return labels.join('.');
}

// The A-label form of UTF-8 text. The library reads up to a zero byte, so a name holding one is
// refused rather than cut short.
CNameConversion Lookup(const QByteArray& text)
{
    if (text.contains('\0')) {
        return Refused(IDN2_DISALLOWED);
    }
    std::uint8_t* raw = nullptr;
    const int code =
        idn2_lookup_u8(reinterpret_cast<const std::uint8_t*>(text.constData()), &raw, kIdnaFlags);
    const IdnText ascii(reinterpret_cast<char*>(raw));
    if (code != IDN2_OK) {
        return Refused(code);
    }
    return CNameConversion::Converted(QByteArray(ascii.get()));
}

// The scripts of the label's letters in order of appearance. Characters that every script uses
// (digits, the hyphen) or that take the script of the letter before them (combining marks) count
// for none.
QStringList ScriptNames(const QByteArray& label)
{
    QList<UScriptCode> scripts;
    for (const uint c : QString::fromUtf8(label).toUcs4()) {
        UErrorCode status = U_ZERO_ERROR;
        const UScriptCode script = uscript_getScript(static_cast<UChar32>(c), &status);
        if (U_SUCCESS(status) && script != USCRIPT_COMMON && script != USCRIPT_INHERITED &&
            script != USCRIPT_UNKNOWN && !scripts.contains(script)) {
            scripts.append(script);
        }
    }
    QStringList names;
    for (const UScriptCode script : std::as_const(scripts)) {
        names.append(QString::fromLatin1(uscript_getName(script))
                         .replace(QLatin1Char('_'), QLatin1Char(' ')));
    }
    return names;
}

QString MixesText(QStringList scripts)
{
    if (scripts.size() < 2) {
        return QStringLiteral("mixes letters of different scripts");
    }
    const QString last = scripts.takeLast();
    return QStringLiteral("mixes %1 and %2 letters").arg(scripts.join(QStringLiteral(", ")), last);
}

} // namespace

bool IsAscii(QByteArrayView name)
{
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool HasALabel(QByteArrayView name)
{
    for (qsizetype start = 0; start < name.size();) {
        if (IsALabel(name.sliced(start))) {
            return true;
        }
        const qsizetype dot = name.indexOf('.', start);
        start = dot < 0 ? name.size() : dot + 1;
    }
    return false;
}

CNameConversion ToAscii(QByteArrayView name)
{
    if (IsAscii(name)) {
        return CNameConversion::Converted(name.toByteArray());
    }
    const QByteArray typed = ByteText::Decode(name).toUtf8();
    const CNameConversion ascii = Lookup(typed);
    return ascii.Ok() ? CNameConversion::Converted(KeepPlainLabels(typed, ascii.Name())) : ascii;
}

CNameConversion ToUnicode(QByteArrayView name)
{
    if (!HasALabel(name)) {
        return CNameConversion::Converted(name.toByteArray());
    }
    const QByteArray lowered = ByteText::ToLower(name);
    if (lowered.contains('\0')) {
        return Refused(IDN2_DISALLOWED);
    }
    char* raw = nullptr;
    const int code = idn2_to_unicode_8z8z(lowered.constData(), &raw, 0);
    const IdnText unicode(raw);
    if (code != IDN2_OK) {
        return Refused(code);
    }
    // Decoding checks nothing: the A-labels stand for their Unicode form only when it converts
    // back to them.
    const CNameConversion back = Lookup(QByteArray(unicode.get()));
    if (!back.Ok()) {
        return back;
    }
    if (back.Name() != lowered) {
        return Refused(IDN2_ALABEL_ROUNDTRIP_FAILED);
    }
    return CNameConversion::Converted(KeepPlainLabels(name, QByteArray(unicode.get())));
}

QByteArray DisplayForm(QByteArrayView name)
{
    CNameConversion unicode = ToUnicode(name);
    return unicode.Ok() ? unicode.Name() : name.toByteArray();
}

QByteArray WithALabel(QByteArrayView name)
{
    const QByteArray shown = DisplayForm(name);
    return shown == name ? shown : shown + " (" + name.toByteArray() + ')';
}

QString MixedScripts(QByteArrayView name)
{
    const CNameConversion unicode = ToUnicode(name);
    if (!unicode.Ok() || IsAscii(unicode.Name())) {
        return {};
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::LocalUSpoofCheckerPointer checker(uspoof_open(&status));
    uspoof_setChecks(checker.getAlias(), USPOOF_RESTRICTION_LEVEL, &status);
    uspoof_setRestrictionLevel(checker.getAlias(), USPOOF_SINGLE_SCRIPT_RESTRICTIVE);
    if (U_FAILURE(status)) {
        return {};
    }
    for (const QByteArray& label : unicode.Name().split('.')) {
        const int32_t failed =
            uspoof_check2UTF8(checker.getAlias(), label.constData(),
                              static_cast<int32_t>(label.size()), nullptr, &status);
        if (U_SUCCESS(status) && (failed & USPOOF_RESTRICTION_LEVEL) != 0) {
            return MixesText(ScriptNames(label));
        }
    }
    return {};
}

} // namespace DomainName
