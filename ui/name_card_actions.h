#pragma once

#include "card/card_text.h"

#include <functional>

class QAbstractItemView;

// Adds 朗读(&V) and 名字卡片(&K) to the context menu of `list`: they read aloud, or open the card
// of, the name of the current row (the first row when there is none). `cardOf` gives the card
// texts of any row of the list's model, so that the card moves through the list as it is shown.
// 朗读 is disabled, its tooltip saying what to install, while names cannot be read aloud.
void addNameCardActions(QAbstractItemView* list, std::function<CardText(int row)> cardOf);
