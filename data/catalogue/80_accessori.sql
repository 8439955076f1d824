-- Accessory pressure drops: drop = Cost * v ^ Espo (Pa), v in m/s through
-- Sezione, or through the outlet spigots (Bocche x 0.0314 m2) when OPZBoc is 'S'.
-- Row i belongs to accessory box i of the mixed-air windows.

-- RMB and RMBBLDC: 1 additional coil (4 pipes), 2 filter G2, 3 filter G4,
-- 4 electric heater, 5 90-degree connectors, 6 and 7 connecting panels for
-- circular ducts (return, supply), 8 motor-driven fresh-air louvre.
INSERT INTO DPAcc VALUES
  (8, 1.8, 'N'), (10, 1.5, 'N'), (20, 1.5, 'N'), (4, 2, 'N'),
  (3, 2, 'N'), (2, 2, 'S'), (2, 2, 'S'), (12, 2, 'N');

-- DVK and DVKBLDC: 1 additional coil (4 pipes), 2 and 3 inlet/outlet plenum
-- (plain, insulated), 4 frontal suction plenum, 5 and 6 90-degree spigot
-- connectors (plain, insulated), 7 motorised damper, 8 sound attenuator,
-- 9 air suction grille, 10 outlet grille.
INSERT INTO DPAccDVK VALUES
  (8, 1.8, 'N'), (5, 2, 'N'), (5.5, 2, 'N'), (4, 2, 'N'), (1.5, 2, 'S'),
  (1.6, 2, 'S'), (6, 2, 'N'), (9, 2, 'N'), (7, 2, 'N'), (7, 2, 'N');
