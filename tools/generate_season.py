#!/usr/bin/env python3
"""Generate the bundled sample season of Kestrane 1.

Writes two files into the output folder (the repository's data/ folder by
default):

* 2013.txt            the season file: teams, match-day dates, fixture list;
* Resultats2013.ini   a complete season of scores and cards, in the layout the
                      Windows profile functions produce when the keys are
                      written one after another into a new file.

The league and every result are invented. All randomness comes from one
random.Random(2013), so two runs give byte-identical files.

Usage: python3 tools/generate_season.py [output_folder]
"""

import argparse
import datetime
import math
import random
import sys
from pathlib import Path

ENCODING = "cp1252"
EOL = "\r\n"

# Fictional clubs from invented towns. The order fixes the team letters A..T.
TEAMS = [
    "FC Valmoret",
    "AS Saint-Aubrac",
    "Étréville AC",
    "Stade Bérange",
    "US Castelnoir",
    "Olympique Vaubriac",
    "Racing Lormanche",
    "SC Corvenne",
    "Dravillac FC",
    "Pontemaure",
    "AS Sarvignac",
    "Mirelande FC",
    "ES Gravelune",
    "Stade Chalbrenne",
    "Union Quézenay",
    "AC Roquevaune",
    "Bellaunay FC",
    "FC Ménadel",
    "US Tarvelle",
    "JS Câtelbourg",
]

TEAM_COUNT = 20
MATCH_DAYS = 38
HALF = MATCH_DAYS // 2
MATCHES_PER_DAY = TEAM_COUNT // 2

SEASON_START = datetime.date(2013, 8, 10)
SEASON_END = datetime.date(2014, 5, 17)
# The Saturdays between those two dates number 41; the league stops for the
# three around Christmas and New Year, which leaves exactly 38 match days.
WINTER_BREAK = [
    datetime.date(2013, 12, 21),
    datetime.date(2013, 12, 28),
    datetime.date(2014, 1, 4),
]

# Points adjustments decided by the league during the season.
BONUS_MALUS = {"D": -3, "K": -1}
STAMP = "17 mai 22:47"
NEWS = "Fin de saison : merci à tous les bénévoles !"
VERSION = "1.3"

# Average goals of an evenly matched fixture; the home side scores more.
HOME_GOALS = 1.36
AWAY_GOALS = 1.04
STRENGTH_SPREAD = 0.45
YELLOW_PER_SIDE = 1.9
RED_PER_SIDE = 0.1


def letter(team_no):
    return chr(65 + team_no)


def match_day_dates():
    dates = []
    day = SEASON_START
    while day <= SEASON_END:
        if day not in WINTER_BREAK:
            dates.append(day)
        day += datetime.timedelta(days=7)
    assert len(dates) == MATCH_DAYS, len(dates)
    assert all(d.weekday() == 5 for d in dates)
    assert dates[-1] == SEASON_END
    return dates


def first_half_rounds():
    """Circle method: team 19 stays put while the others rotate.

    The fixed team alternates home and away, and each rotating pair takes the
    orientation that makes most teams alternate from one round to the next.
    """
    n = TEAM_COUNT
    rotating = n - 1
    rounds = []
    for r in range(n - 1):
        games = []
        if r % 2 == 0:
            games.append((r, n - 1))
        else:
            games.append((n - 1, r))
        for i in range(1, n // 2):
            a = (r + i) % rotating
            b = (r - i) % rotating
            games.append((a, b) if i % 2 == 1 else (b, a))
        rounds.append(games)
    return rounds


def venues(rounds):
    """Per team, the list of 'H'/'A' over the given rounds."""
    seq = {t: [] for t in range(TEAM_COUNT)}
    for games in rounds:
        for home, away in games:
            seq[home].append("H")
            seq[away].append("A")
    return seq


def longest_run(sequence):
    best = run = 0
    previous = None
    for v in sequence:
        run = run + 1 if v == previous else 1
        previous = v
        best = max(best, run)
    return best


def respects_venue_rule(rounds):
    return all(longest_run(s) <= 2 for s in venues(rounds).values())


def second_half_order(first, mirrored):
    """Order of the mirrored rounds, as close to a plain mirror as possible.

    A plain mirror makes a team whose first half ends with two home (or two
    away) matches play a third one on the first match day after the turn of
    the season. Depth-first search over the mirrored rounds, smallest round
    first, gives the first order (in lexicographic order, so the plain mirror
    when it works) that leaves no run of three anywhere in the season.
    """
    base = venues(first)
    order = []
    used = [False] * HALF

    def fits(seq):
        return len(seq) < 3 or not (seq[-1] == seq[-2] == seq[-3])

    def extend(seqs):
        if len(order) == HALF:
            return True
        for k in range(HALF):
            if used[k]:
                continue
            step = {t: list(s) for t, s in seqs.items()}
            for home, away in mirrored[k]:
                step[home].append("H")
                step[away].append("A")
            if all(fits(s) for s in step.values()):
                used[k] = True
                order.append(k)
                if extend(step):
                    return True
                order.pop()
                used[k] = False
        return False

    if not extend(base):
        raise RuntimeError("no second-half order keeps the home/away rule")
    return order


def build_schedule(rng):
    first = first_half_rounds()
    mirrored = [[(away, home) for home, away in games] for games in first]
    order = second_half_order(first, mirrored)
    rounds = first + [mirrored[k] for k in order]
    assert respects_venue_rule(rounds)

    # Within a match day the fixtures appear in no particular order.
    for games in rounds:
        rng.shuffle(games)
    return rounds


def check_schedule(rounds):
    assert len(rounds) == MATCH_DAYS
    for games in rounds:
        teams = [t for game in games for t in game]
        assert sorted(teams) == list(range(TEAM_COUNT))
    first = {frozenset(g) for games in rounds[:HALF] for g in games}
    assert len(first) == TEAM_COUNT * (TEAM_COUNT - 1) // 2
    ordered_first = {g for games in rounds[:HALF] for g in games}
    ordered_second = {(a, h) for games in rounds[HALF:] for h, a in games}
    assert ordered_first == ordered_second
    for team, seq in venues(rounds).items():
        assert longest_run(seq) <= 2, (letter(team), "".join(seq))


def poisson(rng, mean):
    limit = math.exp(-mean)
    k = 0
    p = rng.random()
    while p > limit:
        k += 1
        p *= rng.random()
    return k


def play_season(rng, rounds):
    # Strengths spread evenly, dealt to the teams at random so that the
    # table does not follow the alphabet.
    strengths = [STRENGTH_SPREAD * (1 - 2 * i / (TEAM_COUNT - 1))
                 for i in range(TEAM_COUNT)]
    rng.shuffle(strengths)

    results = []
    for games in rounds:
        day = []
        for home, away in games:
            edge = strengths[home] - strengths[away]
            hg = poisson(rng, HOME_GOALS * math.exp(edge))
            ag = poisson(rng, AWAY_GOALS * math.exp(-edge))
            hy = poisson(rng, YELLOW_PER_SIDE)
            ay = poisson(rng, YELLOW_PER_SIDE)
            hr = poisson(rng, RED_PER_SIDE)
            ar = poisson(rng, RED_PER_SIDE)
            day.append((home, hr, hy, hg, ag, ay, ar, away))
        results.append(day)
    return results


def season_text(dates, rounds):
    lines = ["Kestrane 1, saison 2013-2014"]
    lines += ["EQU|" + name for name in TEAMS]
    lines += ["JOU|%d|%s" % (n, d.strftime("%d/%m/%Y"))
              for n, d in enumerate(dates, start=1)]
    for n, games in enumerate(rounds, start=1):
        lines += ["CAL|%d|%s%s" % (n, letter(h), letter(a)) for h, a in games]
    return "".join(line + EOL for line in lines)


def results_text(results):
    # The profile functions append a new section at the end of the file,
    # header first, with no blank line in between.
    lines = ["[Resultats]"]
    for n, day in enumerate(results, start=1):
        for index, (h, hr, hy, hg, ag, ay, ar, a) in enumerate(day):
            record = "|".join([letter(h), str(hr), str(hy), str(hg),
                               str(ag), str(ay), str(ar), letter(a)])
            lines.append("%02d%02d=%s" % (n, index, record))
    lines.append("[BonMal]")
    lines += ["%s=%d" % (k, v) for k, v in BONUS_MALUS.items()]
    lines += ["[Maj]", "Maj=" + STAMP]
    lines += ["[Texte]", "Texte=" + NEWS]
    lines += ["[CV]", "CV=" + VERSION]
    return "".join(line + EOL for line in lines)


def standings(results):
    table = {t: [0, 0, 0] for t in range(TEAM_COUNT)}  # points, for, against
    for day in results:
        for h, _hr, _hy, hg, ag, _ay, _ar, a in day:
            table[h][1] += hg
            table[h][2] += ag
            table[a][1] += ag
            table[a][2] += hg
            if hg > ag:
                table[h][0] += 3
            elif hg < ag:
                table[a][0] += 3
            else:
                table[h][0] += 1
                table[a][0] += 1
    for key, value in BONUS_MALUS.items():
        table[ord(key) - 65][0] += value
    return sorted(table.items(),
                  key=lambda kv: (-kv[1][0], -(kv[1][1] - kv[1][2]),
                                  -kv[1][1], kv[0]))


def check_teams():
    assert len(TEAMS) == TEAM_COUNT
    assert len({name.casefold() for name in TEAMS}) == TEAM_COUNT
    assert all(len(name) <= 18 for name in TEAMS)
    assert sum("-" in name for name in TEAMS) == 1
    assert all("|" not in name for name in TEAMS)
    for name in TEAMS:
        name.encode(ENCODING)


def write(path, text):
    data = text.encode(ENCODING)
    assert b"\n" not in data.replace(b"\r\n", b"")
    assert b"\r" not in data.replace(b"\r\n", b"")
    path.write_bytes(data)


def main(argv=None):
    default_out = Path(__file__).resolve().parent.parent / "data"
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output", nargs="?", type=Path, default=default_out,
                        help="folder receiving 2013.txt and "
                             "Resultats2013.ini (default: %(default)s)")
    args = parser.parse_args(argv)

    check_teams()
    rng = random.Random(2013)
    dates = match_day_dates()
    rounds = build_schedule(rng)
    check_schedule(rounds)
    results = play_season(rng, rounds)

    args.output.mkdir(parents=True, exist_ok=True)
    write(args.output / "2013.txt", season_text(dates, rounds))
    write(args.output / "Resultats2013.ini", results_text(results))

    matches = sum(len(day) for day in results)
    goals = sum(r[3] + r[4] for day in results for r in day)
    home_wins = sum(r[3] > r[4] for day in results for r in day)
    draws = sum(r[3] == r[4] for day in results for r in day)
    table = standings(results)
    champion, (points, scored, conceded) = table[0]
    last_points = table[-1][1][0]
    average = ("%.2f" % (goals / matches)).replace(".", ",")
    print("%d matchs, %d buts, %s buts par match, %d victoires à domicile, "
          "%d nuls ; champion : %s (%d pts, %+d), lanterne rouge %d pts"
          % (matches, goals, average, home_wins, draws,
             TEAMS[champion], points, scored - conceded, last_points))
    return 0


if __name__ == "__main__":
    sys.exit(main())
