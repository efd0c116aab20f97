// The panel's Wine tests: each case starts Quorvex.exe against terminal-like windows of this
// process and checks it from outside, as the terminal side would.
#include "tests/win32/panel/PanelCases.h"
#include "tests/win32/support/QuorvexWineSupport.h"

int main(int argc, char** argv) {
    using namespace wine_test;
    return RunTestCases(argc, argv,
                        {
                            {"title", TitleCase},
                            {"slots", SlotsCase},
                            {"tester_speed", [] { TesterSpeedCase(false); }},
                            {"tester_speed_other_code_page", [] { TesterSpeedCase(true); }},
                            {"no_argument", NoArgumentCase},
                            {"dravonel", DravonelCase},
                            {"stand_alone", StandAloneCase},
                            {"acknowledgement", AcknowledgementCase},
                            {"selected_ticket", SelectedTicketCase},
                            {"follows_chart", FollowsChartCase},
                            {"hidden", HiddenCase},
                            {"chart_closed", ChartClosedCase},
                            {"region", RegionCase},
                        });
}
