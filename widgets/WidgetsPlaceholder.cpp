// Removed once the styled widgets land.
