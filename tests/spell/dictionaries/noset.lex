6
café
song
sing
naïve
loom
chorus
