// The checks against a survey grade or a chosen standard deviation, and the network's plot.
import {byId, tr as translate, withArguments} from './page-state.js';

// The check standard chosen: a grade, or σ in seconds of arc, or none.
export function checkOptions() {
  const grade = byId('grade').value;
  const sigma = Number(byId('sigma').value);
  if (grade) return {grade};
  if (byId('sigma').value.trim() && Number.isFinite(sigma) && sigma > 0) return {sigma};
  return {};
}

export function fillGrades(page) {
  const grade = byId('grade');
  const kept = grade.value;
  grade.textContent = '';
  grade.appendChild(new Option(translate(page, '不检核'), ''));
  for (const each of page.api.grades(page.lang)) grade.appendChild(new Option(each.standard + ' ' + each.text, each.name));
  grade.value = kept;
}

export function showChecks(page, answer) {
  const tr = (chinese) => translate(page, chinese);
  const checks = byId('checks');
  checks.textContent = '';
  byId('plot').textContent = '';
  if (!('checks' in answer)) {
    checks.textContent = tr('还没有选择检核标准：请选择等级，或自定测角中误差 σ。');
    return;
  }
  if (!answer.checks) {
    checks.textContent = tr('最近一次计算已中止，没有完成的平差可以检核：请改正数据后重新计算。');
    return;
  }
  const pre = checks.appendChild(document.createElement('pre'));
  pre.textContent = answer.checks_text || '';
  if (answer.plot) byId('plot').appendChild(networkPlot(answer.plot, tr));
}

// The network as a plan: north up, east right, the sides, the stations (fixed ones as triangles) and each error
// ellipse enlarged by one factor that the legend gives.
export function networkPlot(plot, tr) {
  const svgName = 'http://www.w3.org/2000/svg';
  const make = (parent, name, attributes) => {
    const element = parent.appendChild(document.createElementNS(svgName, name));
    for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
    return element;
  };
  const size = 420;
  const margin = 60;
  const xs = plot.stations.map((s) => s.x);
  const ys = plot.stations.map((s) => s.y);
  const span = Math.max(Math.max(...xs) - Math.min(...xs), Math.max(...ys) - Math.min(...ys)) || 1;
  const scale = (size - 2 * margin) / span;  // pixels per metre
  const at = (s) => [margin + (s.y - Math.min(...ys)) * scale, size - margin - (s.x - Math.min(...xs)) * scale];
  const largest = Math.max(...plot.stations.map((s) => s.a_mm), 1e-9);
  const enlargement = (0.08 * size) / (largest / 1000 * scale);
  const svg = document.createElementNS(svgName, 'svg');
  svg.setAttribute('width', size);
  svg.setAttribute('height', size);
  svg.setAttribute('viewBox', `0 0 ${size} ${size}`);
  for (const [from, to] of plot.sides) {
    const [x1, y1] = at(plot.stations[from]);
    const [x2, y2] = at(plot.stations[to]);
    make(svg, 'line', {x1, y1, x2, y2, stroke: '#000', 'stroke-width': 1.5});
  }
  for (const station of plot.stations) {
    const [x, y] = at(station);
    if (station.fixed) make(svg, 'path', {d: `M${x},${y - 7}L${x + 6},${y + 4}L${x - 6},${y + 4}Z`, fill: '#c00000'});
    else {
      make(svg, 'circle', {cx: x, cy: y, r: 3, fill: '#000'});
      const a = station.a_mm / 1000 * scale * enlargement;
      const b = station.b_mm / 1000 * scale * enlargement;
      // φ runs clockwise from north; on the screen north is up.
      make(svg, 'ellipse', {cx: x, cy: y, rx: b, ry: a, fill: 'none', stroke: '#0050c0', 'stroke-width': 1.2,
        transform: `rotate(${station.phi_deg} ${x} ${y})`});
    }
    make(svg, 'text', {x: x + 8, y: y - 8, 'font-size': 13}).textContent = station.name;
  }
  make(svg, 'path', {d: `M${size - 30},20L${size - 24},40L${size - 36},40Z`, fill: '#000'});
  make(svg, 'text', {x: size - 34, y: 16, 'font-size': 12}).textContent = 'N';
  make(svg, 'text', {x: 10, y: size - 10, 'font-size': 12}).textContent =
    withArguments(tr('误差椭圆放大 %1 倍'), [enlargement.toFixed(0)]);
  return svg;
}
