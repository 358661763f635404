// Feeds arbitrary bytes to the document reader and the TLD table reader. Neither may crash, read
// out of bounds, leak or allocate beyond what the bytes could hold; both stop with an error
// value.

#include "core/DomainDoc.h"
#include "core/TLDList.h"
#include "lookup/AnswerAnalysis.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CTLDList tlds;
        CDomainDoc doc(tlds, AnalyseStoredAnswer);
        doc.Read(buffer);
        QByteArray text;
        for (int i = 0; i < doc.GetCount(); ++i) {
            for (int column = 0; column < 5; ++column) {
                doc.GetFieldText(i, column, text);
            }
        }
        for (const DomainSort::Key key : {DomainSort::Key::ByTick, DomainSort::Key::ByName,
                                          DomainSort::Key::ByStatus, DomainSort::Key::ByTime}) {
            doc.SortList(key);
        }
    }
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CTLDList list;
        list.ReadFrom(buffer);
        list.FindTLDForName("example.co.uk");
    }
    return 0;
}
