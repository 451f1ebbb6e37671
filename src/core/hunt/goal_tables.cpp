#include "hunt/goal_tables.h"

#include <string>
#include <vector>

namespace vildo {

namespace {

void fillColumn(Grid& g, int col, const std::vector<std::string>& texts) {
    for (size_t r = 0; r < texts.size(); ++r) g.cell(col, static_cast<int>(r)) = texts[r];
}

}  // namespace

Grid designStringGrid2() {
    Grid g(8, 13);
    g.fixedCols = 2;
    g.fixedRows = 1;
    g.enabled = false;  // until the first season starts
    g.editable = true;
    fillColumn(g, 0,
               {"Avskjutningsmål", "Tjur", "Hondjur", "Kalv", "Total", "per 1000 ha", "", "Vinterstam", "Tjur",
                "Hondjur", "Kalv", "Total", "Per 1000 ha"});
    g.cell(1, 0) = std::string("0");  // the year labels
    g.cell(2, 0) = std::string("1");
    return g;
}

Grid designStringgrid5() {
    Grid g(4, 8);
    g.fixedCols = 1;
    g.fixedRows = 1;
    g.editable = true;
    fillColumn(g, 0,
               {"Målområden", "Reproduktion (sim. älgobs)", "Tjurandel (sim. älgobs)",
                "Andel kapitala tjurar (6-12 år)", "Andel kalv i avskjutning", "Medelålder hondjur (avskjutning)",
                "Nyttjandegrad av avskjutningsmål", "Belastning på ungskog"});
    fillColumn(g, 1, {"Mål", "0,75", "40", "15", "50", "4,5", "90", "130"});
    g.cell(2, 0) = "Nuläge";
    fillColumn(
        g, 3,
        {"Enhet", "Kalv per hondjur vid jaktstart", "procent av vuxna i sommarstam", "procent av tjur i avskjutning",
         "procent av total avskjutning", "år", "procent av målsättning", "älg per 1000 ha ungskog"});
    return g;
}

Grid designStringGrid3() {
    Grid g(3, 5);
    g.fixedCols = 1;
    g.fixedRows = 1;
    fillColumn(g, 0,
               {"REGLER: Avstå att skjuta:", "- enkelkalvar", "- dubbelkalv", "- ko och vuxen kviga",
                "- tjur (taggintervall t.ex. 2-4)"});
    g.cell(1, 0) = "Aktiv";
    g.cell(2, 0) = "Begränsning (veckor eller intervall)";
    for (int r = 1; r <= 4; ++r) g.cell(1, r) = "Nej";
    return g;
}

Grid designTabell_utv() {
    Grid g(5, 11);
    g.fixedCols = 1;
    g.fixedRows = 1;
    fillColumn(g, 0,
               {"", "Fällda djur", "Procent utnyttjade skottillfällen", "Procent lovliga skottillfällen",
                "Procent fällda djur av målsättning", "Måluppfyllelse efter första veckan", "Slaktvikt (genomsnitt)",
                "Medelålder i avskjutning", "Medelålder i vinterstam", "Trafik + annan dödlighet (antal djur)",
                "Jaktens andel av total dödlighet"});
    return g;
}

}  // namespace vildo
