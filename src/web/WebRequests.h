#pragma once

#include "web/PostPage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUrl>

#include <optional>

// The web pages the program opens for a domain, and the two searches it posts to web sites.
// Paths, query keys and bodies are the sites'; the host names are ours to keep current.
namespace WebRequest {

// "http://www." followed by the name as stored. Nothing for a name with anything but letters,
// digits, hyphens and dots: a name read from a document could otherwise carry a user, a path or
// another host into the address.
std::optional<QUrl> Website(QByteArrayView name);
// What the user is told when Website() gives nothing for the name.
QString NoWebsiteMessage(QByteArrayView name);

// A favourite registrar's page: every "{D}" of the address the user gave becomes the name in lower
// case, percent-encoded so that a name read from a document cannot add fields to the query. An
// address without a scheme is taken as an http address, as a browser's address bar takes it.
QUrl Registrar(QByteArrayView address, QByteArrayView name);

// The trademark search looks for the name's first label: the text before its first dot.
QByteArray TrademarkTerm(QByteArrayView name);
// The USPTO search with the body "DBSELECT2=ALL&QUERY=<term>&SEARCH_TYPE=ALL&DEFAULT_FIELD=MS
// &ELEMENT_SET=F".
CPostPage TrademarkSearch(QByteArrayView name);
// The search page itself, opened when the search cannot be posted.
QUrl TrademarkSearchPage();

// Network Solutions' payment status with the body "EntityType=domain&EntityName=<name>".
CPostPage PaymentStatus(QByteArrayView name);
// Network Solutions' home page, opened when the payment status cannot be posted.
QUrl PaymentStatusFallback();

QUrl CustomerSupport();

} // namespace WebRequest
