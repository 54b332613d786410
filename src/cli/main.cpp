#include "cli/ZarnethCli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    ZarnethCli cli(std::cout, std::cerr);
    return cli.run(std::vector<std::string>(argv + 1, argv + argc));
}
