#include "lookup/RdapBootstrap.h"

#include "core/ByteText.h"
#include "core/DataFolder.h"
#include "core/ServerText.h"
#include "lookup/HttpTransfer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// One service: [[labels...], [base URLs...]]. Its preferred URL, or nothing when malformed.
std::optional<QByteArray> PreferredUrl(const QJsonArray& urls)
{
    QByteArray chosen;
    for (const QJsonValue value : urls) {
        const QByteArray url = value.toString().toUtf8();
        if (!ServerText::IsRdapUrl(url)) {
            return std::nullopt;
        }
        if (chosen.isEmpty() || (url.startsWith("https:") && !chosen.startsWith("https:"))) {
            chosen = url;
        }
    }
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen;
}

std::optional<CRdapBootstrap> ReadFile(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QString problem;
    return CRdapBootstrap::Parse(file.readAll(), problem);
}

CBootstrapUpdate NotUpdated(const QString& why)
{
    return {false,
            QStringLiteral("The RDAP server list was not updated, and the copy in use is kept: %1")
                .arg(why)};
}

QString Save(const QByteArray& json)
{
    if (!DataFolder::Ensure()) {
        return QStringLiteral("the folder \"%1\" could not be created.").arg(DataFolder::Path());
    }
    QSaveFile file(CRdapBootstrap::DataFolderCopy());
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
        return QStringLiteral("\"%1\" could not be written: %2.")
            .arg(file.fileName(), file.errorString());
    }
    return {};
}

} // namespace

CRdapBootstrap CRdapBootstrap::Load()
{
    if (auto copy = ReadFile(DataFolderCopy())) {
        return std::move(*copy);
    }
    return ReadFile(InstalledCopy()).value_or(CRdapBootstrap());
}

std::optional<CRdapBootstrap> CRdapBootstrap::Parse(const QByteArray& json, QString& problem)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        problem = QStringLiteral("it is not a JSON object");
        return std::nullopt;
    }
    const QJsonArray services = document.object().value(QLatin1String("services")).toArray();
    if (services.isEmpty()) {
        problem = QStringLiteral("it lists no services");
        return std::nullopt;
    }
    CRdapBootstrap bootstrap;
    bootstrap.m_publication = document.object().value(QLatin1String("publication")).toString();
    for (const QJsonValue service : services) {
        const QJsonArray labels = service.toArray().at(0).toArray();
        const std::optional<QByteArray> url = PreferredUrl(service.toArray().at(1).toArray());
        if (labels.isEmpty() || !url) {
            problem = QStringLiteral("a service has no TLD or no valid URL");
            return std::nullopt;
        }
        for (const QJsonValue label : labels) {
            const QByteArray tld = ByteText::ToLower(label.toString().toUtf8());
            if (tld.isEmpty()) {
                problem = QStringLiteral("a service names an empty TLD");
                return std::nullopt;
            }
            bootstrap.m_baseUrls.insert(tld, *url);
        }
    }
    return bootstrap;
}

QString CRdapBootstrap::DataFolderCopy()
{
    return DataFolder::FilePath(QLatin1String(kFileName));
}

QString CRdapBootstrap::InstalledCopy()
{
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                  QStringLiteral("quillon/") + QLatin1String(kFileName));
}

QByteArray CRdapBootstrap::BaseUrlFor(QByteArrayView name) const
{
    const QByteArray folded = ByteText::ToLower(name);
    for (qsizetype dot = folded.indexOf('.'); dot >= 0; dot = folded.indexOf('.', dot + 1)) {
        const auto found = m_baseUrls.constFind(folded.sliced(dot + 1));
        if (found != m_baseUrls.constEnd()) {
            return *found;
        }
    }
    return {};
}

CBootstrapUpdate UpdateRdapBootstrap(CHttpTransfer& transfer, const QByteArray& url,
                                     CLookupTimeouts timeouts, const QByteArray& caFile)
{
    const CHttpResponse response = transfer.Get({url, "application/json", timeouts, caFile});
    if (!response.Answered()) {
        return NotUpdated(QStringLiteral("the download from %1 failed: %2.")
                              .arg(QString::fromUtf8(url), QString::fromUtf8(response.error)));
    }
    if (response.status != 200) {
        return NotUpdated(QStringLiteral("%1 answered with HTTP status %2.")
                              .arg(QString::fromUtf8(url))
                              .arg(response.status));
    }
    QString problem;
    const std::optional<CRdapBootstrap> bootstrap = CRdapBootstrap::Parse(response.body, problem);
    if (!bootstrap) {
        return NotUpdated(QStringLiteral("the file from %1 is not an RDAP bootstrap file (%2).")
                              .arg(QString::fromUtf8(url), problem));
    }
    if (const QString fault = Save(response.body); !fault.isEmpty()) {
        return NotUpdated(fault);
    }
    return {true, QStringLiteral("The RDAP server list was updated: %1 TLDs, published %2.")
                      .arg(bootstrap->TLDCount())
                      .arg(bootstrap->Publication())};
}
