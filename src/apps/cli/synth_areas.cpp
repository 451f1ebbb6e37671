#include "synth_areas.h"

namespace vildo::cli {

const std::vector<SynthCounty>& synthCounties() {
    using R = Region;
    static const std::vector<SynthCounty> counties = {
        {1, "Stockholm", R::Middle, true, false, {"Norra Roslagen", "Södra Roslagen", "Södertörn", "Mälaröarna"}},
        {3, "Uppsala", R::Middle, true, false, {"Norra Uppland", "Mellersta Uppland", "Södra Uppland"}},
        {4, "Södermanland", R::Middle, false, false, {"Västra Sörmland", "Östra Sörmland", "Kolmården"}},
        {5,
         "Östergötland",
         R::South,
         false,
         false,
         {"Norra Östergötland", "Västra Östergötland", "Södra Östergötland", "Östra Östergötland"}},
        {6, "Jönköping", R::South, false, false, {"Höglandet", "Vätterbygden", "Finnveden", "Gislaved-Gnosjö"}},
        {7, "Kronoberg", R::South, false, false, {"Norra Kronoberg", "Västra Kronoberg", "Södra Kronoberg"}},
        {8, "Kalmar", R::South, false, false, {"Tjust", "Sevede", "Möre", "Öland"}},
        {10, "Blekinge", R::South, false, false, {"Västra Blekinge", "Östra Blekinge"}},
        {12, "Skåne", R::South, false, false, {"Göinge", "Söderåsen", "Linderödsåsen"}},
        {13, "Halland", R::South, false, false, {"Norra Halland", "Mellersta Halland", "Södra Halland"}},
        {14,
         "Västra Götaland",
         R::South,
         true,
         false,
         {"Dalsland", "Bohuslän", "Skaraborg", "Sjuhärad", "Göta älvdalen"}},
        {17, "Värmland", R::Middle, true, true, {"Norra Klarälvdalen", "Fryksdalen", "Glaskogen", "Östra Värmland"}},
        {18, "Örebro", R::Middle, true, false, {"Bergslagen", "Tiveden", "Kilsbergen"}},
        {19, "Västmanland", R::Middle, true, false, {"Norra Bergslagen", "Mälardalen", "Sala-Norberg"}},
        {20, "Dalarna", R::Middle, true, true, {"Siljan", "Västerdalarna", "Södra Dalarna", "Orsa-Älvdalen"}},
        {21, "Gävleborg", R::Middle, true, true, {"Norra Hälsingland", "Södra Hälsingland", "Gästrikland", "Ljusdal"}},
        {22,
         "Västernorrland",
         R::North,
         false,
         true,
         {"Norra Ångermanland", "Södra Ångermanland", "Medelpad", "Höga kusten"}},
        {23, "Jämtland", R::North, false, true, {"Härjedalen", "Storsjöbygden", "Norra Jämtland", "Östra Jämtland"}},
        {24, "Västerbotten", R::North, false, true, {"Västra Lappland", "Umeälven", "Skellefteälven", "Vindelälven"}},
        {25, "Norrbotten", R::North, false, true, {"Torne älvdal", "Lule älvdal", "Pite älvdal", "Kalix-Råne"}},
    };
    return counties;
}

}  // namespace vildo::cli
