#pragma once

// The two lines of text the show renders once at start-up.

inline constexpr char kWindSpeedLabel[] = "WIND SPEED: 6.66 KM/H";

// One line of 584 monospaced characters: its rendered width sets how long the greeting
// takes to scroll past.
inline constexpr char kScrollerText[] =
    "GREETINGS FROM SELKAVO ON BOARD THE FERRY TO TORNUVA!          HELLO TO ALL THE CREWS AT THE "
    "PARTY PLACE, TO THE CODERS, PIXEL ARTISTS AND MUSICIANS WHO KEEP THE SCENE ALIVE, AND TO "
    "EVERYONE WHO STILL WATCHES A SHOW TO ITS VERY END.          THANKS TO THE DECK HANDS OF THE "
    "MORNING FERRY, TO THE ROVASKA KIOSK FOR THE CANS AND THE DELICACIES, AND TO EVERY BIRCH ON "
    "THE SHORE.          THIS SHOW WAS MADE IN 2023 WITH ONE FONT, FOURTEEN PICTURES AND A BOSSA "
    "NOVA.          DID YOU FEEL THE WIND ON THE OPEN SEA TODAY?    HYVÄÄ MATKAA, DEAR FRIENDS.    "
    "SEE YOU ALL ON THE QUAY AT 03.00.";
