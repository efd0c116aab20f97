#pragma once
// The cases of the panel's Wine test program; main.cpp names them for ctest.
namespace wine_test {

void TitleCase();
void SlotsCase();
void TesterSpeedCase(bool otherCodePage);
void NoArgumentCase();
void DravonelCase();
void StandAloneCase();

void AcknowledgementCase();
void SelectedTicketCase();

void FollowsChartCase();
void HiddenCase();
void ChartClosedCase();
void RegionCase();

}  // namespace wine_test
