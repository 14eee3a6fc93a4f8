// Replaced by the ChordBox model and renderer.
