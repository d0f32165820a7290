#pragma once

struct frmQuorvinUi;

// Names and descriptions for the labels that act as buttons, so that a screen reader
// announces them as buttons with a purpose rather than as bare captions like "Kopie".
void describeButtons(const frmQuorvinUi &ui);
