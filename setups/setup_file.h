#pragma once
// The setup file (docs/setup-file.md): a JSON object holding the model and every value of the
// register model. Reading checks the whole file before anything is sent; a refusal names the key
// (or the line and column of a JSON syntax error) in one line.

#include <QByteArray>
#include <QString>
#include <optional>

#include "saved_setup.h"

struct SetupRead {
  std::optional<SavedSetup> setup;  // present when the file is good
  QString error;                    // one line, when it is not
};

// The setup in a file's bytes, checked with CheckSetup.
SetupRead ReadSetup(const QByteArray& bytes);
// The file's bytes of a setup: indented JSON, ending with a line feed.
QByteArray WriteSetup(const SavedSetup& setup);

// The same for a file; a file that cannot be read, or is too large to be a setup, is refused.
SetupRead ReadSetupFile(const QString& path);
// Writes the file whole or not at all; empty when written, the reason otherwise.
QString WriteSetupFile(const QString& path, const SavedSetup& setup);

// Reads a file's bytes and restores the setup on the session (RestoreSetup): empty when done;
// the message otherwise, with nothing sent and nothing changed.
QString LoadSetup(Session& session, const QByteArray& bytes);
