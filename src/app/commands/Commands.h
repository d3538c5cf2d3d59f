#pragma once

#include <ostream>

#include "app/commands/CommandArgs.h"

// The runners of the command table, one file each.  Each gets only the
// options its row declares, after the row's checks passed.

int RunImportCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunDumpCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunExportCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunListCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunBacktestCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunRandomnessCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunFilterCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunWheelCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunTicketsAddCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunTicketsListCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunTicketsDeleteCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunTicketsImportCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunTicketsCheckCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunTicketsWithoutVerbCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunQuickCheckCommand(const CommandArgs& args, std::ostream& out, std::ostream& err);
