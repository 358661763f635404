#include "web/PostPage.h"

#include "core/SaveFile.h"
#include "web/BrowserLauncher.h"

CPostPage::CPostPage(QUrl action, QList<Field> fields)
    : m_action(std::move(action))
    , m_fields(std::move(fields))
{}

QByteArray CPostPage::Html() const
{
    const QString action = m_action.toString(QUrl::FullyEncoded).toHtmlEscaped();
    QString page = QStringLiteral("<!DOCTYPE html>\n"
                                  "<html>\n"
                                  "<head>\n"
                                  "<meta charset=\"utf-8\" />\n"
                                  "<title>Quillon</title>\n"
                                  "</head>\n"
                                  "<body onload=\"document.forms[0].submit()\">\n"
                                  "<p>Sending the request to %1 &#8230;</p>\n"
                                  "<form method=\"post\" action=\"%2\" "
                                  "enctype=\"application/x-www-form-urlencoded\" "
                                  "accept-charset=\"utf-8\">\n")
                       .arg(m_action.host().toHtmlEscaped(), action);
    for (const Field& field : m_fields) {
        page += QStringLiteral("<input type=\"hidden\" name=\"%1\" value=\"%2\" />\n")
                    .arg(field.first.toHtmlEscaped(), field.second.toHtmlEscaped());
    }
    page += QStringLiteral("<noscript><p>Scripts are turned off in this browser: press the button "
                           "to send the request.</p><input type=\"submit\" value=\"Send\" />"
                           "</noscript>\n"
                           "</form>\n"
                           "</body>\n"
                           "</html>\n");
    return page.toUtf8();
}

bool CPostPage::Open(const QString& path) const
{
    return SaveFile::Write(path, Html()).Ok() && CBrowserLauncher::Open(QUrl::fromLocalFile(path));
}
