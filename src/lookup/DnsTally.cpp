#include "lookup/DnsTally.h"

void CDnsTally::Add(VerdictSource source)
{
    (source == VerdictSource::Dns ? settled : referred) += 1;
}

CDnsTally CDnsTally::Since(const CDnsTally& earlier) const
{
    return {settled - earlier.settled, referred - earlier.referred};
}

QString DnsTallyText(const CDnsTally& tally)
{
    if (tally.Asked() == 0) {
        return {};
    }
    return QStringLiteral("%1 settled by DNS, %1 of %2 registry queries saved")
        .arg(tally.settled)
        .arg(tally.Asked());
}
