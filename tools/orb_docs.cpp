// Writes the manual page or the bash completion of orb from its command table, at build time:
//   orb_docs man DATE OUTPUT
//   orb_docs completion OUTPUT
#include <fstream>
#include <iostream>
#include <string>

#include "cli/cli.h"
#include "cli/command_docs.h"

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    std::string text;
    std::string output;
    if (what == "man" && argc == 4) {
        text = orb::manPage(orb::cliCommands(), argv[2]);
        output = argv[3];
    } else if (what == "completion" && argc == 3) {
        text = orb::bashCompletion(orb::cliCommands());
        output = argv[2];
    } else {
        std::cerr << "Usage: orb_docs man DATE OUTPUT | orb_docs completion OUTPUT\n";
        return 64;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "orb_docs: " << output << " cannot be written.\n";
        return 1;
    }
    return 0;
}
