#pragma once
// Test helpers for the file rules of the utility library: the owner write bit (what
// "read-only" means here) and the information boxes a routine showed.

#include "support/recordingui.h"

#include <QString>
#include <QStringList>

// Clears (readOnly) or sets the owner write bit; clearing also clears group and other.
void setReadOnly(const QString &path, bool readOnly);
bool ownerWritable(const QString &path);

// The routine showed exactly these information boxes, in this order, and nothing else.
void expectOnlyMessages(const RecordingUi &ui, const QStringList &texts, const char *what = "");
