#include "app/commands/TicketWords.h"

#include "core/GlobalBas.h"
#include "data/DrawStoreLoader.h"

std::vector<QString> TicketTexts(const std::vector<std::string>& words, std::size_t from) {
    std::vector<QString> texts;
    for (std::size_t i = from; i < words.size(); ++i)
        texts.push_back(QString::fromStdString(words[i]));
    return texts;
}

DrawMasks LoadDrawMasks(const CommandArgs& args) {
    GlobalBas g;
    OpenDrawStore(g, args.DatabasePath());
    return DrawMasks(g.Draws);
}

TicketLedger LoadTicketLedger(const CommandArgs& args) {
    GlobalBas g;
    OpenDrawStore(g, args.DatabasePath());
    const Database db = Database::Open(args.DatabasePath(), Database::Mode::ReadOnly);
    return ReadTicketLedger(db, g.Draws);
}
