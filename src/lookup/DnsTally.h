#pragma once

#include "lookup/VerdictSource.h"

#include <QString>

// What asking DNS first spared the registries: of the lookups that asked DNS before the
// registry, those DNS settled (each a registry query saved) and those that went on to the
// registry.
struct CDnsTally {
    int settled = 0;
    int referred = 0;

    void Add(VerdictSource source);
    int Asked() const { return settled + referred; }
    // The lookups counted since `earlier`, a tally of the same run.
    CDnsTally Since(const CDnsTally& earlier) const;
};

// "4 settled by DNS, 4 of 5 registry queries saved"; empty while no lookup asked DNS.
QString DnsTallyText(const CDnsTally& tally);
