#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QUrl>
#include <QXmlStreamReader>

#include <utility>

// What a browser makes of a posting page: the form it submits on load and the body it sends.
struct CPostForm {
    QString onload;
    int forms = 0;
    QString method;
    QString action;
    QString enctype;
    QList<std::pair<QString, QString>> fields;
    QString parseError;

    // The body as a browser encodes the fields: application/x-www-form-urlencoded.
    QByteArray Body() const
    {
        QByteArrayList pairs;
        for (const auto& [name, value] : fields) {
            pairs.append(Encoded(name) + '=' + Encoded(value));
        }
        return pairs.join('&');
    }

    static CPostForm Read(const QByteArray& html)
    {
        CPostForm form;
        QXmlStreamReader reader(html);
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            const QXmlStreamAttributes attributes = reader.attributes();
            const auto name = reader.name();
            if (name == QLatin1String("body")) {
                form.onload = attributes.value(QLatin1String("onload")).toString();
            } else if (name == QLatin1String("form")) {
                ++form.forms;
                form.method = attributes.value(QLatin1String("method")).toString();
                form.action = attributes.value(QLatin1String("action")).toString();
                form.enctype = attributes.value(QLatin1String("enctype")).toString();
            } else if (name == QLatin1String("input") &&
                       attributes.value(QLatin1String("type")) == QLatin1String("hidden")) {
                form.fields.append({attributes.value(QLatin1String("name")).toString(),
                                    attributes.value(QLatin1String("value")).toString()});
            }
        }
        if (reader.hasError()) {
            form.parseError = reader.errorString();
        }
        return form;
    }

    static CPostForm ReadFile(const QUrl& page)
    {
        QFile file(page.toLocalFile());
        if (!file.open(QIODevice::ReadOnly)) {
            CPostForm form;
            form.parseError = file.errorString();
            return form;
        }
        return Read(file.readAll());
    }

private:
    static QByteArray Encoded(const QString& text)
    {
        return QUrl::toPercentEncoding(text, "*", "~").replace("%20", "+");
    }
};
