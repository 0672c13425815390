// vextrel-demo-pages JOB PAGES FOLDER: prints the pages of a demonstration
// job and leaves them in FOLDER as JOB1.wmf, JOB2.wmf, ..., ready for
// vextrel to build the job's documents from.

#include <iostream>
#include <string>

#include "cmdmailer/demo_job/demo_pages.h"
#include "framework/core/text.h"

int main(int argc, char** argv)
{
    if (argc != 4 || !fw::core::isNumeric(argv[1]) || !fw::core::isNumeric(argv[2])) {
        std::cerr << "usage: vextrel-demo-pages JOB PAGES FOLDER\n";
        return 2;
    }
    const auto pages = vextrel::makeDemoPages(fw::core::toByte(fw::core::toNumber(argv[1])),
                                              fw::core::toNumber(argv[2]), argv[3]);
    if (!pages) {
        std::cerr << pages.error().text() << '\n';
        return 1;
    }
    std::cout << *pages << " page files written to " << argv[3] << '\n';
    return 0;
}
