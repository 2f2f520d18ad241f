// The catalogue of the seventeen parameter windows: class, command, what the
// document does after the window, and the window itself once it is built.
#pragma once

#include <span>

#include "app/ParameterRecords.h"
#include "app/ParameterWindow.h"

struct CatalogueEntry {
    ParameterWindow kind;
    const char* className;
    int command;
    const WindowDefinition* window; // nullptr: not built yet, ends cancelled at once
    // After an execute the document marks itself changed and repaints, or,
    // when the size may have changed, re-lays out the view first.
    bool resizesView = false;
    // After a cancel or close: repaint, or nothing.
    bool repaintsOnCancel = true;
};

// The seventeen entries, in the order their classes are registered.
std::span<const CatalogueEntry> WindowCatalogue();
const CatalogueEntry& CatalogueEntryOf(ParameterWindow kind);
// Null when no window belongs to the command.
const CatalogueEntry* CatalogueEntryForCommand(int command);
