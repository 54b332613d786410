#include "Platform/System/LocalizedStrings.h"
#include "cli/ZarnethCli.h"

#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // The sound server is reached through Qt's event loop.
    QCoreApplication application(argc, argv);
    LocalizedStrings::install();
    ZarnethCli cli(std::cout, std::cerr);
    return cli.run(std::vector<std::string>(argv + 1, argv + argc));
}
