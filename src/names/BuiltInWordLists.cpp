#include "names/BuiltInWordLists.h"

#include <array>

namespace {

struct BuiltInList {
    const char* beginning;
    const char* end;
};

constexpr std::array<BuiltInList, WebTypes::kCount> kBuiltInLists{{
    {"free,good,4,net,micro,desk,busy,",
     "e,web,net,pad,trix,view,link,time,city,media,jet,inc,intl,co,org,com,group,corp,tool,ware,"
     "book,ring,systems,sys,syst,soft,tron,scope,scape,pic,pik,trek,on,bay,edge,lock,tech,tek,"},
    {"4,biggest,biz,busy,buy,e,good,largest,micro",
     "corp,sales,shop,biz,web,wide,net,pad,view,sell,plan,card,opportunity,directory,loan,review,"
     "services,news,letters,grant,school,ethics,form,business,investor,daily,finance,solution,"
     "broker,commerce,law,software,idea,management,association,proposal,communication,"
     "development,planning,intelligence,writing,company,consultant,strategy,valuation,wire,link,"
     "media,jet,inc,intl,co,org,com,group,tool,ware,book,ring,systems,sys,syst,soft,tron,scape,"
     "trek,on,bay,edge,lock,tech,tek,online"},
    {"e,learn,good,4,learn,study,about,allabout,know,knowabout",
     "school,study,coach,learning,city,pad,center,centre,tutor"},
    {"good,nice,fast", "jokes,joker,laugh,smile,jump,play,ground"},
    {"fast,quick,basketball,hockey,soccer,cricket,baseball,volleyball,running",
     "coach,run,trial,league,game,race"},
    {"", ""},
}};

} // namespace

namespace WebTypes {

QStringList Names()
{
    return {QStringLiteral("All"), QStringLiteral("Business"), QStringLiteral("Educational"),
            QStringLiteral("Fun"), QStringLiteral("Sports"),   QStringLiteral("Custom")};
}

bool IsValid(int webType)
{
    return webType >= 0 && webType < kCount;
}

QByteArray BuiltInWords(int webType, WordSide side)
{
    if (!IsValid(webType)) {
        return {};
    }
    const BuiltInList& list = kBuiltInLists[static_cast<std::size_t>(webType)];
    return QByteArray(side == WordSide::Beginning ? list.beginning : list.end);
}

} // namespace WebTypes
