// Replaced by the chord file naming rules.
