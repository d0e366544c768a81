// Writes a synthetic campaign file of N braced quadrilaterals to standard output:
//   morvalen-campaign-generator 100000 > campaign.csv
#include <cstdlib>
#include <iostream>

#include "SyntheticCampaign.h"

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::atol(argv[1]) : 1000;
    if (count < 0) {
        std::cerr << "usage: morvalen-campaign-generator [rows]\n";
        return 2;
    }
    std::mt19937 random(20261208);
    std::cout << morvalen::bench::campaignHeader();
    for (long i = 1; i <= count; ++i) std::cout << morvalen::bench::campaignRow(random, i);
    return 0;
}
