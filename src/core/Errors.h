#pragma once

#include <stdexcept>

// A failure that ends an operation with a message for the user (Japanese,
// naming the file or draw concerned).  Computation and data throw it; the
// windows show it, the command line prints it.
class UserError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A failure of the database layer.
class DatabaseError : public UserError {
  public:
    using UserError::UserError;
};

// Thrown by a build that hits a limit (a draw number beyond a table, a 16-bit
// overflow): the build stops, the rows written so far stay in the grid, and
// the window shows the message.
class BuildStopped : public UserError {
  public:
    using UserError::UserError;
};
