#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <utility>

// A local page whose form the browser sends by POST as soon as it has loaded it: how the program
// posts a request body through the user's own browser.
class CPostPage {
public:
    // A field's name and value, in the order the body lists them.
    using Field = std::pair<QString, QString>;

    CPostPage(QUrl action, QList<Field> fields);

    // The page. Each field is a hidden input whose value is escaped for its attribute, so no
    // value can end the form or add a field; the browser encodes the values when it sends them.
    QByteArray Html() const;
    // Writes the page to `path` and opens it in the browser; false when either fails.
    bool Open(const QString& path) const;

private:
    QUrl m_action;
    QList<Field> m_fields;
};
