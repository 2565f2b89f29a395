#pragma once
// What a sync tells its user, the same words in the list window and in a terminal (UTF-8):
//
//   Carnet d'adresses en ligne :
//     personnes ajoutées à la liste : 3
//     personnes mises à jour : 1
//     déjà dans la liste : 2
//     cartes sans date de naissance utilisable : 5
//     cartes refusées pour leur nom : 1          (only when there are any, as the unreadable cards)
//
//   Mises à jour :                               (each list only when it has names; at most 50
//     Jean Dupont                                 names, then how many more)
//   Retirées du carnet, gardées dans la liste :
//     Marie Curie
//   Changées dans la liste, laissées telles que vous les avez modifiées :
//     Paul Martin
//
// A sync that found nothing new says so in one line.

#include <string>

#include "carddav/sync_engine.h"

namespace velorine::carddav {

std::string syncSummary(const SyncReport& report);

}  // namespace velorine::carddav
