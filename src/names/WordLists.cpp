#include "names/WordLists.h"

#include "core/DataFolder.h"
#include "core/SaveFile.h"
#include "names/TextFileImport.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<bool, 256> WordBreaks()
{
    std::array<bool, 256> breaks{};
    for (const char c : std::string_view(" ,;:-\r\n~!@$%^&*()[]{}|\\/?><.\"+_='")) {
        breaks[static_cast<unsigned char>(c)] = true;
    }
    return breaks;
}

constexpr std::array<bool, 256> kWordBreaks = WordBreaks();

bool IsWordBreak(char c)
{
    return kWordBreaks[static_cast<unsigned char>(c)];
}

} // namespace

QString WordFileName(int webType, WordSide side)
{
    const int sideDigit = static_cast<int>(side);
    if (webType == 0) {
        return QStringLiteral("zul.%1").arg(sideDigit);
    }
    return QStringLiteral("zul%1.%2").arg(webType).arg(sideDigit);
}

QByteArray NormaliseWordList(QByteArrayView text)
{
    QByteArray words;
    words.reserve(text.size() + text.size() / 2);
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool wordBreak = i == text.size() || IsWordBreak(text[i]);
        if (wordBreak && start >= 0) {
            words.append(text.sliced(start, i - start)).append("\r\n");
            start = -1;
        } else if (!wordBreak && start < 0) {
            start = i;
        }
    }
    return words;
}

std::optional<QByteArray> LoadWordList(const QString& path)
{
    std::optional<QByteArray> content = TextFileImport::ReadTextFile(path);
    if (content) {
        *content = NormaliseWordList(*content);
    }
    return content;
}

QByteArray WordsForWebType(int webType, WordSide side)
{
    if (std::optional<QByteArray> fromFile =
            LoadWordList(DataFolder::FilePath(WordFileName(webType, side)))) {
        return *fromFile;
    }
    return NormaliseWordList(WebTypes::BuiltInWords(webType, side));
}

CFileResult SaveWordList(int webType, WordSide side, QByteArrayView text)
{
    const QString path = DataFolder::FilePath(WordFileName(webType, side));
    DataFolder::Ensure(); // without the folder the write fails and names the path
    return SaveFile::Write(path, text);
}
