#pragma once

#include <QString>
#include <QStringList>

// The "My Favorite Registrar!" dialog, which asks for the registrar page of a TLD that has none
// yet. The window draws it; these are its texts and values.
namespace RegistrarDialog {

inline QString Caption()
{
    return QStringLiteral("My Favorite Registrar!");
}

inline QString Instructions()
{
    return QStringLiteral(
        "Please type in the URL to your favorite Registrar for the above TLD. You "
        "may type {D} wherever you want the domain name to be inserted.");
}

inline QStringList Examples()
{
    return {QStringLiteral("https://www.namecheap.com/domains/registration/results/?domain={D}"),
            QStringLiteral("https://www.gandi.net/"), QStringLiteral("https://www.porkbun.com/")};
}

inline QString RememberLabel()
{
    return QStringLiteral("&Remember this URL");
}

} // namespace RegistrarDialog

// What the dialog starts with: the TLD as its heading, an empty URL box, and the remember box as
// the user left it last time.
struct CRegistrarDialogStart {
    QString tld;
    bool remember = true;

    friend bool operator==(const CRegistrarDialogStart&, const CRegistrarDialogStart&) = default;
};

// What the user confirmed with OK.
struct CRegistrarChoice {
    QString url;
    bool remember = true;
};
