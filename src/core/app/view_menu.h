// The "Visa" menu: the left chart area's views and the main chart's curve groups, as two radio groups.
#pragma once

namespace vildo {

struct Vildo;

// Each runs after a click has toggled its item's check mark (click(app, C::Demografi1) and so on).
// Left area: population pyramids, mean ages, harvest, or calves per cow and bull share.
void Demografi1Click(Vildo& app);
void Medellder1Click(Vildo& app);
void Avskjutning1Click(Vildo& app);
void ReproduktionochTjurandel1Click(Vildo& app);
// Main chart: density and harvest, forage, or mortality; each redraws the current year.
void lgtthetochAvskjutning1Click(Vildo& app);
void Foderochlgbonitet1Click(Vildo& app);
void Ddlighet1Click(Vildo& app);

// A click on the main chart, given in pixels left of its plotting area's right edge and below its top:
// the band at the top right shows the mean ages.
void Chart5Click(Vildo& app, int leftOfRight, int belowTop);

void wireViewMenuHandlers(Vildo& app);

// Connects the view menu and "Visa aktuell fekunditet" to their handlers.
void wireChartHandlers(Vildo& app);

}  // namespace vildo
