// kavelo_databuilder: writes the DATA folder (coastlines, projection nodes, catalogue
// files, name table, chronology) from the tables and models in this folder.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "DataSet.h"

namespace {
void usage() {
    std::fprintf(stderr,
                 "usage: kavelo_databuilder OUTDIR [--coast-json land-10m.json] [--coast-source FILE]\n"
                 "                          [--write-coast-source FILE] [--quicklook file.png] [--samples DIR]\n"
                 "  --coast-json          decode Natural Earth land from world-atlas land-10m.json\n"
                 "  --coast-source        read the compact coast extract (default: the one in tools/coast)\n"
                 "  --write-coast-source  also write the compact coast extract used\n"
                 "  --quicklook           also write a PNG of coastlines, node grid and epicentres\n"
                 "  --samples             also write the sample external lists into DIR/Extra and DIR/Hi-net\n");
}
}  // namespace

int main(int argc, char** argv) {
    kavelo::data::BuildOptions opt;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& dst) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "kavelo_databuilder: %s needs a value\n", a.c_str());
                usage();
                std::exit(2);
            }
            dst = argv[++i];
        };
        if (a == "--coast-json")
            value(opt.coastJson);
        else if (a == "--coast-source")
            value(opt.coastSource);
        else if (a == "--write-coast-source")
            value(opt.writeCoastSource);
        else if (a == "--quicklook")
            value(opt.quickLook);
        else if (a == "--samples")
            value(opt.samplesDir);
        else if (a == "-h" || a == "--help") {
            usage();
            return 0;
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "kavelo_databuilder: unknown option %s\n", a.c_str());
            usage();
            return 2;
        } else if (opt.outDir.empty())
            opt.outDir = a;
        else {
            std::fprintf(stderr, "kavelo_databuilder: more than one output folder given\n");
            usage();
            return 2;
        }
    }
    if (opt.outDir.empty()) {
        usage();
        return 2;
    }
    try {
        kavelo::data::BuildReport rep = kavelo::data::buildDataSet(opt);
        std::printf("%s\n", rep.summary.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kavelo_databuilder: %s\n", e.what());
        return 1;
    }
    return 0;
}
