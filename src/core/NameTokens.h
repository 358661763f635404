#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QList>

class CDomainDoc;
class CTLDList;

// Names typed or imported as free text: tokens separated by runs of space, comma, CR, LF and
// semicolon (a tab is part of a token).
QList<QByteArrayView> SplitNameTokens(QByteArrayView text);

// The TLD texts of the entries that bare names are combined with, in table order.
QByteArrayList TLDsForNewNames(const CTLDList& list);

// The names a token stands for: the token itself when it is a valid domain name under the table
// (in the form the list keeps), else the token under each TLD, as name.TLD with the TLD's own
// case. Names come as typed; admission converts them.
QByteArrayList NamesOfToken(const CTLDList& table, QByteArrayView token,
                            const QByteArrayList& tlds);

// Admits every token of the text: a valid domain name as it is, any other token combined with
// each TLD. Returns how many names entered the list; refusals are silent.
int AdmitNameTokens(CDomainDoc& doc, QByteArrayView text, const QByteArrayList& tlds);
