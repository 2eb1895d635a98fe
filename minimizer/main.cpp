#include <iostream>
#include <string>
#include <vector>

#include "minimizer/explain_program.h"
#include "minimizer/qm_program.h"

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    if (args.size() == 2 && args[0] == "--explain")
        return qm::runExplain(args[1], std::cout, std::cerr);
    return qm::runQm(args, std::cerr);
}
