// Prints what start-up's probes find on this system, one fact per line, for
// the tests that change the system version or the drives between runs:
//   probe_tool <output file>
#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/KernelEntryPoints.h"
#include "app/MachineProbe.h"
#include "app/RecycleBinApis.h"
#include "app/SystemVersion.h"
#include "app/UserSid.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    // A file, not stdout: a pipe from wine may never see its end.
    FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) return 3;
    MachineFacts facts;
    if (facts.kernel.Load() != KernelEntryPoints::LoadResult::Loaded) return 4;
    const bool anyNtfs = QueryFixedDrives(facts);
    const SystemVersion version = QuerySystemVersion();
    std::string sid;
    if (UserSidNeeded(version.isNT, version.isVistaOrLater, anyNtfs, CheckRecycleBinApis()) &&
        GetUserSidText(sid) != 0)
        sid = "<failed>";
    std::fprintf(out, "isNT=%d\nisXpOrMe=%d\nisVistaOrLater=%d\nanyNtfs=%d\nsid=%s\n", version.isNT,
                 version.isXpOrMe, version.isVistaOrLater, anyNtfs, sid.c_str());
    for (int letter = 0; letter < 26; ++letter)
        if (!facts.driveRoots[letter].empty())
            std::fprintf(out, "root=%s ntfs=%d\n", facts.driveRoots[letter].c_str(), facts.driveIsNtfs[letter]);
    for (const DriveInfo& drive : facts.fixedDrives)
        std::fprintf(out, "drive=%s|%s|%d\n", drive.displayName.c_str(), drive.fileSystem.c_str(),
                     drive.totalGiB > 0 ? 1 : 0);
    std::fclose(out);
    return 0;
}
