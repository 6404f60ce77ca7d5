// The reports' CSV form, on small reports made by hand.
#include "tables_csv.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string rule = "\r\n" + std::string(90, '=') + "\r\n";

TEST(TablesCsv, CoexistenceRowsLoseTheirLeadingBlankAndKeepTheirDigits)
{
    const std::string report = "preamble\r\n T\tp" + rule + "\r\n 0.999000 0.996005  -0.100000" +
                               "\r\n 0.998000 0.992019  nan";
    EXPECT_EQ(coexistence_csv(report),
              "t,p,v_liquid,v_gas,v_liquid_max,p_liquid_min,v_gas_min,p_gas_max,latent_heat_8a_per_27b\r\n"
              "0.999000,0.996005,-0.100000\r\n0.998000,0.992019,nan\r\n");
}

TEST(TablesCsv, OnlyTheLiquidLimitsPlaceholderGasAndItsPropertiesAreLeftEmpty)
{
    const std::string report = "x" + rule +
        "\r\n 0.800000 eq 1 2 3 4 5 6 7 8 9 10 11"
        "\r\n 0.800000 limliq 1 2 300.000000 4 5 6 7 8 9 10 11"
        "\r\n 0.800000 limgas 1 2 300.000000 4 5 6 7 8 9 10 11\r\n"
        "\r\n 0.799000 limliq 1 2 299.999999 4 5 6 7 8 9 10 11\r\n";
    const std::string csv = property_csv(report);
    const std::string rows = csv.substr(csv.find("\r\n") + 2);
    EXPECT_EQ(rows, "0.800000,coexistence,1,2,3,4,5,6,7,8,9,10,11\r\n"
                    "0.800000,liquid_limit,1,2,,4,,6,,8,,10,\r\n"
                    "0.800000,gas_limit,1,2,300.000000,4,5,6,7,8,9,10,11\r\n"
                    "0.799000,liquid_limit,1,2,299.999999,4,5,6,7,8,9,10,11\r\n");
    EXPECT_EQ(csv.substr(0, 15), "t,state,p,v_liq");
}

TEST(TablesCsv, AReportWithoutItsRuleGivesTheHeaderAlone)
{
    EXPECT_EQ(property_csv(" 0.9 eq 1 2 3").find("0.9"), std::string::npos);
    EXPECT_EQ(coexistence_csv("").find("\r\n"), coexistence_csv("").size() - 2);
}

}  // namespace
