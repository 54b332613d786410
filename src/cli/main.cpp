#include "Platform/System/LocalizedStrings.h"
#include "cli/ZarnethCli.h"

#include <QCoreApplication>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char* argv[])
{
    // Answered before anything is made: it needs no store and no sound server.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "zarneth-cli " << ZARNETH_VERSION << '\n';
        return 0;
    }
    // The sound server is reached through Qt's event loop.
    QCoreApplication application(argc, argv);
    LocalizedStrings::install();
    ZarnethCli cli(std::cout, std::cerr);
    return cli.run(std::vector<std::string>(argv + 1, argv + argc));
}
