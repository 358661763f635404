#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <utility>

// A name in the other form, or in plain words why it has none.
class CNameConversion {
public:
    static CNameConversion Converted(QByteArray name) { return {std::move(name), QString()}; }
    static CNameConversion Refused(QString reason) { return {QByteArray(), std::move(reason)}; }

    bool Ok() const { return m_reason.isEmpty(); }
    // Empty when refused.
    const QByteArray& Name() const { return m_name; }
    // What is wrong with the name, as a sentence; empty when converted.
    const QString& Reason() const { return m_reason; }

private:
    CNameConversion(QByteArray name, QString reason)
        : m_name(std::move(name))
        , m_reason(std::move(reason))
    {}

    QByteArray m_name;
    QString m_reason;
};

// Internationalised domain names. The list, its files, the TLD table and the lookups hold names
// in ASCII: a label in another script is kept as its A-label ("xn--mnchen-3ya"), made by IDNA2008
// with the UTS #46 mapping (nontransitional, so "faß" stays apart from "fass"). Typed names are
// converted before they are admitted, and shown in Unicode again wherever people read them.
namespace DomainName {

bool IsAscii(QByteArrayView name);
// Whether a label begins with "xn--" (either case).
bool HasALabel(QByteArrayView name);

// The form the list keeps. A name of ASCII bytes alone is returned as it is; any other is read as
// the window shows it (UTF-8, else Latin-1), mapped and converted, and its ASCII labels keep the
// case typed. Refused when IDNA refuses the name: a character domain names may not hold, a label
// too long once encoded, right-to-left text mixed in wrongly, and the like.
CNameConversion ToAscii(QByteArrayView name);
// The form people read (UTF-8): each A-label decoded, every other label as it is. A name without
// A-labels is returned as it is; one whose A-labels are not what IDNA would make of their own
// Unicode form is refused, so no name is ever shown as something it does not stand for.
CNameConversion ToUnicode(QByteArrayView name);

// The Unicode form when there is one, else the name as it is.
QByteArray DisplayForm(QByteArrayView name);
// For outputs that show both: "münchen.de (xn--mnchen-3ya.de)", or the name alone when it reads
// the same in both forms.
QByteArray WithALabel(QByteArrayView name);

// Whether a label of the name's Unicode form mixes scripts the way Unicode's confusable-detection
// guidance (UTS #39, a single script after allowing for Japanese, Korean and Chinese writing)
// flags, and which: "mixes Latin and Cyrillic letters". Empty when no label does.
QString MixedScripts(QByteArrayView name);

} // namespace DomainName
